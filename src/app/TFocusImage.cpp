#include "app/TFocusImage.h"

#include <QMouseEvent>

namespace zelvora::gui {

TFocusImage::TFocusImage(QWidget* parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(false);
}

TFocusImage::TFocusImage(const QRect& place, QWidget* parent) : TFocusImage(parent)
{
    setGeometry(place);
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

} // namespace zelvora::gui
