#include "mockexam/ReviewPlacement.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace zelvora::gui {

namespace {
// A title bar's height before the window manager has framed the window.
constexpr int GuessedTitleBar = 30;
} // namespace

ReviewPlacement::ReviewPlacement(QWidget* exam, QWidget* review) : QObject(exam), m_exam(exam), m_review(review)
{
    setObjectName(QStringLiteral("reviewPlacement"));
    review->installEventFilter(this);
}

QRect ReviewPlacement::Band(const QSize& window, int topHeight, int columnWidth)
{
    const int free = qMax(0, window.width() - columnWidth);
    const int width = qMin(BandWidth, free * 2 / 3);
    return QRect(free - width, topHeight, width, qMax(0, window.height() - topHeight));
}

void ReviewPlacement::setArea(int topHeight, int columnWidth)
{
    m_topHeight = topHeight;
    m_columnWidth = columnWidth;
}

void ReviewPlacement::begin(QWidget* results)
{
    if (results && results->isVisible()) {
        m_results = results;
        results->hide();
    }
    const bool was = m_active;
    m_active = true;
    place();
    m_review->show();
    // Framed (by a window manager, a moment later): the band holds the
    // frame too.
    place();
    QTimer::singleShot(250, this, [this] {
        if (m_active && m_review->isVisible())
            place();
    });
    m_review->raise();
    m_review->activateWindow();
    if (!was)
        emit changed();
}

void ReviewPlacement::place()
{
    const QRect band = Band(m_exam->size(), m_topHeight, m_columnWidth);
    const QPoint topLeft = m_exam->mapToGlobal(band.topLeft());
    // The frame's parts above and beside the window, once the window
    // manager has framed it; a title bar's worth before.
    const QRect frame = m_review->frameGeometry();
    const QRect inner = m_review->geometry();
    const bool framed = m_review->isVisible() && frame != inner;
    const int above = framed ? inner.top() - frame.top() : GuessedTitleBar;
    const int left = framed ? inner.left() - frame.left() : 0;
    const int right = framed ? frame.right() - inner.right() : 0;
    const int below = framed ? frame.bottom() - inner.bottom() : 0;
    m_review->setGeometry(QRect(topLeft + QPoint(left, above),
                                QSize(qMax(1, band.width() - left - right), qMax(1, band.height() - above - below))));
}

void ReviewPlacement::end()
{
    if (!m_active)
        return;
    m_active = false;
    emit changed();
    if (m_results) {
        QWidget* results = m_results;
        m_results.clear();
        results->show();
        results->raise();
    }
}

int ReviewPlacement::reservedWidth() const
{
    return m_active ? Band(m_exam->size(), m_topHeight, m_columnWidth).width() : 0;
}

bool ReviewPlacement::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_review && event->type() == QEvent::Hide)
        end();
    return QObject::eventFilter(watched, event);
}

} // namespace zelvora::gui
