#include "app/ClickableLabel.h"

#include "app/FocusMark.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace zelvora::gui {

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::press()
{
    if (isEnabled())
        emit clicked();
}

void ClickableLabel::mousePressEvent(QMouseEvent* e)
{
    // Taking the press makes the release come back to the label.
    e->accept();
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* e)
{
    e->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
}

static bool IsPressKey(const QKeyEvent* e)
{
    const int key = e->key();
    return (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
        && (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

void ClickableLabel::keyPressEvent(QKeyEvent* e)
{
    if (!IsPressKey(e)) {
        QLabel::keyPressEvent(e);
        return;
    }
    e->accept();
    if (!m_markFocus) {
        m_markFocus = true;
        update();
    }
    if (!e->isAutoRepeat())
        m_heldKey = e->key();
}

void ClickableLabel::keyReleaseEvent(QKeyEvent* e)
{
    if (!IsPressKey(e) || e->key() != m_heldKey) {
        QLabel::keyReleaseEvent(e);
        return;
    }
    e->accept();
    if (e->isAutoRepeat())
        return;
    m_heldKey = 0;
    emit clicked();
}

void ClickableLabel::focusInEvent(QFocusEvent* e)
{
    m_markFocus = e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason
        || e->reason() == Qt::ShortcutFocusReason;
    QLabel::focusInEvent(e);
    update();
}

void ClickableLabel::focusOutEvent(QFocusEvent* e)
{
    m_heldKey = 0;
    QLabel::focusOutEvent(e);
    update();
}

void ClickableLabel::paintEvent(QPaintEvent* e)
{
    QLabel::paintEvent(e);
    if (focusMarkShown())
        PaintFocusMark(this);
}

} // namespace zelvora::gui
