#include "app/TFocusImage.h"

#include "app/FocusMark.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QToolTip>

namespace zelvora::gui {

TFocusImage::TFocusImage(QWidget* parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(false);
    // Tab reaches it; a mouse click leaves the focus where it was, as before.
    setFocusPolicy(Qt::TabFocus);
}

TFocusImage::TFocusImage(const QRect& place, QWidget* parent) : TFocusImage(parent)
{
    setGeometry(place);
}

void TFocusImage::setShortcut(const QKeySequence& key)
{
    if (m_shortcutId != 0)
        releaseShortcut(m_shortcutId);
    m_shortcut = key;
    m_shortcutId = key.isEmpty() ? 0 : grabShortcut(key, Qt::WindowShortcut);
}

QString TFocusImage::shownToolTip() const
{
    QString tip = toolTip().isEmpty() ? m_text : toolTip();
    if (!m_shortcut.isEmpty())
        tip += QStringLiteral(" (") + m_shortcut.toString(QKeySequence::NativeText) + QLatin1Char(')');
    return tip;
}

void TFocusImage::press()
{
    if (!isEnabled())
        return;
    QPointer<TFocusImage> self(this);
    emit OnMouseDown(this, Qt::LeftButton);
    if (self)
        emit OnClick();
    if (self)
        emit OnMouseUp(this, Qt::LeftButton);
}

bool TFocusImage::event(QEvent* e)
{
    if (e->type() == QEvent::Shortcut) {
        press();
        return true;
    }
    if (e->type() == QEvent::ToolTip) {
        const QString tip = shownToolTip();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(e);
}

void TFocusImage::mousePressEvent(QMouseEvent* e)
{
    emit OnMouseDown(this, e->button());
    e->accept();
}

void TFocusImage::mouseDoubleClickEvent(QMouseEvent* e)
{
    // A second press in quick succession is just another press.
    mousePressEvent(e);
}

void TFocusImage::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit OnClick();
    emit OnMouseUp(this, e->button());
    e->accept();
}

void TFocusImage::enterEvent(QEnterEvent*)
{
    emit OnMouseEnter();
}

void TFocusImage::leaveEvent(QEvent*)
{
    emit OnMouseLeave();
}

static bool IsPressKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
}

void TFocusImage::keyPressEvent(QKeyEvent* e)
{
    // Like a mouse button: pressed look while the key is down, the click
    // and the normal look when it comes up.
    if (!IsPressKey(e->key()) || (e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
    if (!m_markFocus) {
        m_markFocus = true;
        update();
    }
    if (e->isAutoRepeat() || m_heldKey != 0)
        return;
    m_heldKey = e->key();
    emit OnMouseDown(this, Qt::LeftButton);
}

void TFocusImage::keyReleaseEvent(QKeyEvent* e)
{
    if (!IsPressKey(e->key()) || e->key() != m_heldKey) {
        QWidget::keyReleaseEvent(e);
        return;
    }
    e->accept();
    if (e->isAutoRepeat())
        return;
    m_heldKey = 0;
    QPointer<TFocusImage> self(this);
    emit OnClick();
    if (self)
        emit OnMouseUp(this, Qt::LeftButton);
}

void TFocusImage::focusInEvent(QFocusEvent* e)
{
    m_markFocus = e->reason() == Qt::TabFocusReason || e->reason() == Qt::BacktabFocusReason
        || e->reason() == Qt::ShortcutFocusReason;
    QWidget::focusInEvent(e);
    update();
}

void TFocusImage::focusOutEvent(QFocusEvent* e)
{
    // A key held while the focus moves away gives no click, but the normal
    // look comes back.
    if (m_heldKey != 0) {
        m_heldKey = 0;
        emit OnMouseUp(this, Qt::LeftButton);
    }
    QWidget::focusOutEvent(e);
    update();
}

void TFocusImage::paintEvent(QPaintEvent*)
{
    // Nothing of its own: the skin below shows through, with the focus mark
    // on top while the zone has the keyboard focus.
    if (focusMarkShown())
        PaintFocusMark(this);
}

} // namespace zelvora::gui
