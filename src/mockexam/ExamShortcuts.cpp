#include "mockexam/ExamShortcuts.h"

#include "app/GuardedSlot.h"

#include <QShortcut>
#include <QWidget>

namespace zelvora::gui {

ExamShortcuts::ExamShortcuts(app::AppContext& ctx, QWidget* window, Acts acts)
    : QObject(window)
{
    auto add = [&](const QKeySequence& keys, std::function<void()> action) {
        auto* s = new QShortcut(keys, window);
        s->setContext(Qt::WindowShortcut);
        s->setEnabled(false);
        connect(s, &QShortcut::activated, this, Guarded(ctx, std::move(action)));
        m_shortcuts.push_back(s);
    };
    for (int i = 0; i < 5; ++i)
        for (const bool digit : {false, true})
            add(QKeySequence((digit ? Qt::Key_1 : Qt::Key_A) + i), [acts, i, digit] {
                const int option = OptionOf(i, digit, acts.itemType());
                if (option >= 0)
                    acts.mark(option);
            });
    add(QKeySequence(Qt::Key_R), acts.review);
    add(QKeySequence(Qt::Key_G), acts.guess);
    add(QKeySequence(Qt::Key_N), acts.note);
    add(QKeySequence(Qt::CTRL | Qt::Key_Right), acts.next);
    add(QKeySequence(Qt::CTRL | Qt::Key_Left), acts.previous);
    add(QKeySequence(Qt::CTRL | Qt::Key_Plus), acts.zoomIn);
    add(QKeySequence(Qt::CTRL | Qt::Key_Equal), acts.zoomIn);
    add(QKeySequence(Qt::CTRL | Qt::Key_Minus), acts.zoomOut);
    add(QKeySequence(Qt::CTRL | Qt::Key_0), acts.fitWidth);
}

void ExamShortcuts::setEnabled(bool enabled)
{
    for (QShortcut* s : m_shortcuts)
        s->setEnabled(enabled);
}

int ExamShortcuts::OptionOf(int index, bool digit, mockexam::ItemType type)
{
    if (type != mockexam::ItemType::RightWrong)
        return index;
    // C and 1 are Certo, E and 2 Errado.
    return digit ? (index < 2 ? index : -1) : (index == 2 ? 0 : index == 4 ? 1 : -1);
}

} // namespace zelvora::gui
