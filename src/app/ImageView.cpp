#include "app/ImageView.h"

#include <QMouseEvent>
#include <QPainter>

namespace zelvora::gui {

ImageView::ImageView(QWidget* parent) : QWidget(parent) {}

void ImageView::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void ImageView::copyRect(const QImage& source, const QRect& rect)
{
    if (m_picture.isNull() || source.isNull())
        return;
    QPainter p(&m_picture);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(rect, source, rect);
    p.end();
    update(rect);
}

void ImageView::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter p(this);
    p.drawImage(0, 0, m_picture);
}

void ImageView::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
}

} // namespace zelvora::gui
