#pragma once
// The exam window's keys while a paper runs: A-E and 1-5 mark an option (C
// and E, or 1 and 2, on a right/wrong paper), R the review mark, G the guess
// mark, N the note, Ctrl+Right / Ctrl+Left the next / previous question,
// Ctrl+plus / Ctrl+minus / Ctrl+0 the paper's zoom. Escape, which works in
// every state of the window, is the window's own.
#include "app/AppContext.h"
#include "mockexam/PaperInfo.h"

#include <QObject>

#include <functional>
#include <vector>

class QShortcut;
class QWidget;

namespace zelvora::gui {

class ExamShortcuts : public QObject {
    Q_OBJECT
public:
    struct Acts {
        std::function<void(int option)> mark; // 0 = A ... 4 = E
        std::function<mockexam::ItemType()> itemType;
        std::function<void()> review, guess, note, next, previous, zoomIn, zoomOut, fitWidth;
    };

    ExamShortcuts(app::AppContext& ctx, QWidget* window, Acts acts);

    // On while a paper runs, off otherwise.
    void setEnabled(bool enabled);

    // The option a letter (index 0 to 4 for A to E) or a digit (0 to 4 for 1
    // to 5) stands for on a paper of type; -1 for none.
    static int OptionOf(int index, bool digit, mockexam::ItemType type);

private:
    std::vector<QShortcut*> m_shortcuts;
};

} // namespace zelvora::gui
