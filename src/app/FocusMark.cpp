#include "app/FocusMark.h"

#include <QPainter>
#include <QWidget>

namespace zelvora::gui {

void PaintFocusMark(QWidget* w)
{
    QPainter p(w);
    const QRectF frame = QRectF(w->rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    p.setPen(QPen(Qt::white, 2));
    p.drawRect(frame);
    p.setPen(QPen(QColor(20, 24, 40), 2, Qt::DashLine));
    p.drawRect(frame);
}

} // namespace zelvora::gui
