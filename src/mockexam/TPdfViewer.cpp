#include "mockexam/TPdfViewer.h"

#include <QPdfDocument>
#include <QPdfView>
#include <QScroller>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace {
constexpr qreal ZoomStep = 1.25;
constexpr qreal MinZoom = 0.1;
constexpr qreal MaxZoom = 8.0;
} // namespace

TPdfViewer::TPdfViewer(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new QPdfView(this);
    m_view->setPageMode(QPdfView::PageMode::MultiPage);
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    QScroller::ungrabGesture(m_view);
    QScroller::ungrabGesture(m_view->viewport());
    m_view->viewport()->installEventFilter(this);
    layout->addWidget(m_view);
}

TPdfViewer::~TPdfViewer()
{
    m_view->setDocument(nullptr);
    delete m_document;
}

bool TPdfViewer::LoadFile(const QString& fileName)
{
    auto* document = new QPdfDocument(this);
    const auto error = document->load(fileName);
    if (error != QPdfDocument::Error::None || document->status() != QPdfDocument::Status::Ready
        || document->pageCount() < 1) {
        delete document;
        return false;
    }
    QPdfDocument* old = m_document;
    m_document = document;
    m_fileName = fileName;
    m_view->setDocument(m_document);
    fitToWidth();
    if (old)
        old->deleteLater();
    return true;
}

int TPdfViewer::pageCount() const
{
    return m_document ? m_document->pageCount() : 0;
}

qreal TPdfViewer::zoomFactor() const
{
    return m_view->zoomFactor();
}

bool TPdfViewer::isFittedToWidth() const
{
    return m_view->zoomMode() == QPdfView::ZoomMode::FitToWidth;
}

void TPdfViewer::zoomIn()
{
    zoomBy(ZoomStep);
}

void TPdfViewer::zoomOut()
{
    zoomBy(1.0 / ZoomStep);
}

void TPdfViewer::fitToWidth()
{
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
}

void TPdfViewer::zoomBy(qreal step)
{
    // In fit-to-width mode the view keeps the fitted factor in zoomFactor,
    // so zooming starts from what is on screen.
    const qreal factor = std::clamp(m_view->zoomFactor() * step, MinZoom, MaxZoom);
    m_view->setZoomMode(QPdfView::ZoomMode::Custom);
    m_view->setZoomFactor(factor);
}

bool TPdfViewer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view->viewport() && event->type() == QEvent::Wheel) {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int delta = wheel->angleDelta().y();
            if (delta > 0)
                zoomIn();
            else if (delta < 0)
                zoomOut();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
