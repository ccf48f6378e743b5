#include "app/ImageView.h"

#include <QMouseEvent>
#include <QPainter>

namespace zelvora::gui {

ImageView::ImageView(QWidget* parent) : QWidget(parent)
{
}

void ImageView::setPicture(const QImage& picture)
{
    m_source = nullptr;
    m_picture = picture;
    update();
}

void ImageView::setPicture(std::function<QImage()> source)
{
    m_source = std::move(source);
    m_picture = QImage();
    update();
}

const QImage& ImageView::picture() const
{
    if (m_source) {
        const auto source = std::move(m_source);
        m_source = nullptr;
        m_picture = source();
    }
    return m_picture;
}

void ImageView::copyRect(const QImage& source, const QRect& rect)
{
    picture();
    if (m_picture.isNull() || source.isNull())
        return;
    // The painter works in logical pixels on both pictures; the source
    // rectangle is given in the source's own pixels.
    const qreal ratio = source.devicePixelRatio();
    const QRectF from(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio, rect.height() * ratio);
    QPainter p(&m_picture);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QRectF(rect), source, from);
    p.end();
    update(rect);
}

void ImageView::paintEvent(QPaintEvent*)
{
    const QImage& shown = picture();
    if (shown.isNull())
        return;
    QPainter p(this);
    p.drawImage(0, 0, shown);
}

void ImageView::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
}

} // namespace zelvora::gui
