#include "app/ClickableLabel.h"

#include <QMouseEvent>

namespace zelvora::gui {

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
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

} // namespace zelvora::gui
