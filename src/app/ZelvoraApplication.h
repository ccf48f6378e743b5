#pragma once
// The application object: sets the title, creates every window once in a
// fixed order (the catalog window first, so the data folders exist before any
// other window reads from them), and keeps any failure that no handler caught
// from crossing the event loop: it is shown in a message box and the program
// goes on.
#include "app/AppContext.h"

#include <QApplication>

#include <memory>

namespace zelvora::text { class Collation; }

namespace zelvora::app {

class MessageBoxes;

class ZelvoraApplication : public QApplication {
    Q_OBJECT
public:
    ZelvoraApplication(int& argc, char** argv);
    ~ZelvoraApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;

    AppContext& context() { return m_ctx; }

    // Creates the six windows, each followed by its FormCreate. An error that
    // escapes a creation handler is shown and creation goes on.
    void createWindows();
    // Shows the main window and runs the event loop; returns the exit code.
    int run();
    // Runs every FormDestroy and deletes the windows (also done by the destructor).
    void destroyWindows();

    // Runs fn; a failure is shown in a message box with its own text.
    void guarded(const std::function<void()>& fn);

private:
    AppContext m_ctx;
    std::unique_ptr<text::Collation> m_collation;
    std::unique_ptr<MessageBoxes> m_messages;
    bool m_destroyed = false;
};

} // namespace zelvora::app
