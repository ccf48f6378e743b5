#include "mockexam/TPdfViewer.h"

#include "mockexam/PaperDocument.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfSelection>
#include <QPdfView>
#include <QScreen>
#include <QScrollBar>
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
    // Screen readers and tests find the paper by this name; its description
    // says where the view stands.
    setAccessibleName(QStringLiteral("Prova"));
    m_view = new QPdfView(this);
    m_view->setPageMode(QPdfView::PageMode::MultiPage);
    m_view->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    QScroller::ungrabGesture(m_view);
    QScroller::ungrabGesture(m_view->viewport());
    m_view->viewport()->installEventFilter(this);
    layout->addWidget(m_view);
    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, this, &TPdfViewer::describePlace);
    connect(m_view->verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] {
        if (m_pending.page >= 0) {
            const Place pending = m_pending;
            showPlace(pending.page, pending.y);
        }
        describePlace();
    });
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
    m_pending = Place{};
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

std::vector<std::pair<double, double>> TPdfViewer::pageBands() const
{
    std::vector<std::pair<double, double>> bands;
    if (!m_document)
        return bands;
    const QPdfDocument* document = m_document->document();
    const QScreen* screen = this->screen();
    const qreal pixelsPerPoint = (screen ? screen->logicalDotsPerInch() : 72.0) / 72.0;
    const QMargins margins = m_view->documentMargins();
    const int spacing = m_view->pageSpacing();
    const qreal room = m_view->viewport()->width() - margins.left() - margins.right();
    double heights = 0;
    for (int page = 0; page < document->pageCount(); ++page) {
        const QSizeF size = document->pagePointSize(page) * pixelsPerPoint;
        const qreal factor = isFittedToWidth() ? (size.width() > 0 ? room / size.width() : 1.0) : m_view->zoomFactor();
        bands.emplace_back(0.0, double((size * factor).toSize().height()));
        heights += bands.back().second;
    }
    // The view rounds its pages its own way: the pages share whatever its
    // scroll range says the whole document measures.
    const QScrollBar* bar = m_view->verticalScrollBar();
    const double fixed = margins.top() + margins.bottom() + double(spacing) * double(bands.size());
    const double actual = double(bar->maximum() + m_view->viewport()->height()) - fixed;
    const double scale = heights > 0 && bar->maximum() > 0 && actual > 0 ? actual / heights : 1.0;
    double y = margins.top();
    for (auto& band : bands) {
        band.second *= scale;
        band.first = y;
        y += band.second + spacing;
    }
    return bands;
}

bool TPdfViewer::showPlace(int page, double y)
{
    const auto bands = pageBands();
    if (page < 0 || std::size_t(page) >= bands.size())
        return false;
    const double pageHeight = m_document->document()->pagePointSize(page).height();
    const double perPoint = pageHeight > 0 ? bands[std::size_t(page)].second / pageHeight : 1.0;
    const double target = bands[std::size_t(page)].first + std::clamp(y, 0.0, pageHeight) * perPoint - ReadingLine;
    QScrollBar* bar = m_view->verticalScrollBar();
    const int value = int(std::lround(target));
    // Until the view knows its pages its range is short; the place is kept
    // for when it grows.
    const bool laidOut = bar->maximum() > 0 && value <= bar->maximum() + m_view->viewport()->height();
    m_pending = laidOut ? Place{} : Place{page, y};
    bar->setValue(value);
    describePlace();
    return true;
}

TPdfViewer::Place TPdfViewer::placeAt(const QPoint& viewportPoint) const
{
    Place place;
    const auto bands = pageBands();
    if (bands.empty())
        return place;
    const double y = double(m_view->verticalScrollBar()->value() + viewportPoint.y());
    std::size_t page = 0;
    while (page + 1 < bands.size() && y >= bands[page + 1].first)
        ++page;
    const double pageHeight = m_document->document()->pagePointSize(int(page)).height();
    const double perPoint = pageHeight > 0 && bands[page].second > 0 ? bands[page].second / pageHeight : 1.0;
    place.page = int(page);
    place.y = std::clamp((y - bands[page].first) / perPoint, 0.0, pageHeight);
    return place;
}

TPdfViewer::Place TPdfViewer::shownPlace() const
{
    return placeAt(QPoint(0, ReadingLine));
}

void TPdfViewer::describePlace()
{
    const Place place = shownPlace();
    if (place.page < 0) {
        setAccessibleDescription(QString());
        return;
    }
    QString y = QString::number(place.y, 'f', 1);
    y.replace(QLatin1Char('.'), QLatin1Char(','));
    setAccessibleDescription(QStringLiteral("Página %1, y %2").arg(place.page + 1).arg(y));
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
    if (watched == m_view->viewport() && event->type() == QEvent::ContextMenu && m_document
        && !m_placeMenuText.isEmpty()) {
        auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        const Place place = placeAt(menuEvent->pos());
        auto* menu = new QMenu(this);
        menu->setObjectName(QStringLiteral("menuQuestao"));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        QAction* action = menu->addAction(m_placeMenuText);
        connect(action, &QAction::triggered, this, [this, place] { emit placeChosen(place.page, place.y); });
        menu->popup(menuEvent->globalPos());
        return true;
    }
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
