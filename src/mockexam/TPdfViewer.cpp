#include "mockexam/TPdfViewer.h"

#include "mockexam/PaperDocument.h"

#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfSelection>
#include <QPdfView>
#include <QScreen>
#include <QScroller>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace zelvora::gui {

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
    auto paper = zelvora::mockexam::PaperDocument::Open(fileName);
    if (!paper)
        return false;
    auto* old = m_document;
    m_document = std::move(paper).value().release();
    m_document->setParent(this);
    m_fileName = fileName;
    m_view->setDocument(m_document->document());
    fitToWidth();
    if (old)
        old->deleteLater();
    return true;
}

bool TPdfViewer::showPageWith(const QString& words)
{
    if (!m_document || words.isEmpty())
        return false;
    for (int page = 0; page < m_document->document()->pageCount(); ++page) {
        const QString text = m_document->document()->getAllText(page).text();
        for (qsizetype at = text.indexOf(words); at >= 0; at = text.indexOf(words, at + 1)) {
            const qsizetype end = at + words.size();
            if (end < text.size() && text.at(end).isDigit())
                continue;
            m_view->pageNavigator()->jump(page, QPointF(), m_view->zoomFactor());
            return true;
        }
    }
    return false;
}

int TPdfViewer::pageCount() const
{
    return m_document ? m_document->document()->pageCount() : 0;
}

qreal TPdfViewer::zoomFactor() const
{
    if (!isFittedToWidth() || !m_document)
        return m_view->zoomFactor();
    // Fitted to the width, the view keeps its last custom factor in
    // zoomFactor; the factor on screen is the viewport's width over the
    // widest page's width at natural size.
    qreal widest = 0;
    const QPdfDocument* document = m_document->document();
    for (int page = 0; page < document->pageCount(); ++page)
        widest = std::max(widest, document->pagePointSize(page).width());
    const QScreen* screen = this->screen();
    const qreal pixelsPerPoint = (screen ? screen->logicalDotsPerInch() : 72.0) / 72.0;
    const QMargins margins = m_view->documentMargins();
    const qreal room = m_view->viewport()->width() - margins.left() - margins.right();
    if (widest <= 0 || room <= 0)
        return m_view->zoomFactor();
    return room / (widest * pixelsPerPoint);
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
    // Zooming starts from what is on screen.
    const qreal factor = std::clamp(zoomFactor() * step, MinZoom, MaxZoom);
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

} // namespace zelvora::gui
