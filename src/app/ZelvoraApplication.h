#pragma once
// The application object: sets the title, creates every window once in a
// fixed order (the catalog window first, so the data folders exist before any
// other window reads from them), and keeps any failure that no handler caught
// from crossing the event loop: it is shown in a message box and the program
// goes on.
#include "app/AppContext.h"
#include "app/WindowWiring.h"

#include <QApplication>

#include <functional>
#include <memory>

namespace zelvora::text {
class Collation;
} // namespace zelvora::text
namespace zelvora::attempts {
class AttemptStore;
} // namespace zelvora::attempts

namespace zelvora::app {

class MessageBoxes;

// Lets a caller watch the start-up sequence (tests use it to check the order).
struct StartupObserver {
    // Just before a window is constructed, with its class name.
    std::function<void(const char* windowClass)> beforeCreate;
    // Right after the window's FormCreate returned, inside the same guard: a
    // failure thrown from here is handled like one escaping FormCreate.
    std::function<void(QWidget* window)> afterFormCreate;
};

class ZelvoraApplication : public QApplication {
    Q_OBJECT
public:
    ZelvoraApplication(int& argc, char** argv);
    ~ZelvoraApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;

    // The context handed to every window. Before createWindows() a caller may
    // replace its executablePath or its messages (every message the
    // application itself shows also goes to context().messages).
    AppContext& context() { return m_ctx; }
    // The feature windows made by createWindows() (none before).
    const WindowWiring& windows() const { return m_windows; }
    void setStartupObserver(StartupObserver observer) { m_observer = std::move(observer); }
    // Asked when no data folder exists: gets the folders looked at, returns
    // the folder the user chose or an empty text to leave. Tests replace it.
    void setDataFolderChooser(std::function<QString(const QStringList&)> chooser)
    {
        m_chooseFolder = std::move(chooser);
    }

    // Locates the data folders (asking the user to choose one when none
    // exists), then creates the six windows, each followed by its
    // FormCreate. An error that escapes a creation handler is shown and
    // creation goes on. When no folder exists and the user chose none, no
    // window is made (run() then returns 1 at once).
    void createWindows();
    // Shows the main window and runs the event loop; returns the exit code.
    int run();
    // Runs every FormDestroy and deletes the windows (also done by the destructor).
    void destroyWindows();

    // Runs fn; a failure is shown in a message box with its own text.
    void guarded(const std::function<void()>& fn);

    // Shows the text of a failure that no handler caught.
    void showFailure(const QString& text);

private:
    template <typename W>
    W* createWindow(const char* windowClass);
    // Opens the attempt store once (its integrity check reads the whole file).
    void openAttempts();

    AppContext m_ctx;
    WindowWiring m_windows;
    std::unique_ptr<text::Collation> m_collation;
    std::unique_ptr<MessageBoxes> m_messages;
    std::unique_ptr<attempts::AttemptStore> m_attempts;
    StartupObserver m_observer;
    std::function<QString(const QStringList&)> m_chooseFolder;
    bool m_destroyed = false;
    bool m_exitAfterFirstPaint = false;
    bool m_attemptsOpened = false;
    bool m_attemptsQueued = false;
};

} // namespace zelvora::app
