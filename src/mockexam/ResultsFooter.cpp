#include "mockexam/ResultsFooter.h"

#include "app/Look.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace zelvora::gui {

namespace {
constexpr int TopGap = 6;
} // namespace

ResultsFooter::ResultsFooter(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pRodape"));
    setAutoFillBackground(true);
    // The colour of the picture's lower edge, so the window reads as one.
    Paint(this, QColor(0x1D, 0x2C, 0x58));
    MakeTextWhite(this);

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("sbRodape"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidgetResizable(false);
    m_scroll->viewport()->setAutoFillBackground(false);
    m_content = new QWidget;
    m_content->setAutoFillBackground(false);
    m_content->setPalette(palette());
    m_scroll->setWidget(m_content);
    m_scroll->setPalette(palette());

    m_review = new QPushButton(QStringLiteral("Revisar"), this);
    m_review->setObjectName(QStringLiteral("btRevisar"));
    m_review->setToolTip(QStringLiteral("Ver cada questão com a resposta dada e a do gabarito"));
    connect(m_review, &QPushButton::clicked, this, &ResultsFooter::reviewRequested);
    arrange();
}

void ResultsFooter::setLines(const QStringList& lines, const QStringList& alerts)
{
    qDeleteAll(m_lines);
    qDeleteAll(m_alerts);
    m_lines.clear();
    m_alerts.clear();
    const QFont f = Arial(15);
    QPalette red = palette();
    red.setColor(QPalette::WindowText, QColor(0xFF, 0x40, 0x40));
    QFont bold = f;
    bold.setBold(true);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        auto* l = new QLabel(lines[i], m_content);
        l->setFont(f);
        // A line too long for the window wraps; none is ever cut off. A line
        // with an alert beside it stays on one line.
        l->setWordWrap(alerts.value(i).isEmpty());
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setPalette(palette());
        l->show();
        m_lines << l;
        QLabel* alert = nullptr;
        if (!alerts.value(i).isEmpty()) {
            alert = new QLabel(alerts.value(i), m_content);
            alert->setObjectName(QStringLiteral("lAlerta"));
            alert->setFont(bold);
            alert->setPalette(red);
            alert->show();
        }
        m_alerts << alert;
    }
    resize(width(), neededHeight());
    arrange();
}

QStringList ResultsFooter::lines() const
{
    QStringList out;
    for (const QLabel* l : m_lines)
        out << l->text();
    return out;
}

QStringList ResultsFooter::alerts() const
{
    QStringList out;
    for (const QLabel* l : m_alerts)
        out << (l ? l->text() : QString());
    return out;
}

void ResultsFooter::setMaxLinesHeight(int pixels)
{
    m_maxLinesHeight = qMax(LineHeight * 2, pixels);
    resize(width(), neededHeight());
    arrange();
}

int ResultsFooter::textWidth() const
{
    const int outer = parentWidget() ? parentWidget()->width() : width();
    return qMax(1, outer - 16);
}

int ResultsFooter::lineHeight(qsizetype i) const
{
    const QLabel* l = m_lines[i];
    if (m_alerts[i] || !l->wordWrap())
        return LineHeight;
    return qMax(LineHeight, l->heightForWidth(textWidth()));
}

int ResultsFooter::linesHeight() const
{
    if (m_lines.isEmpty())
        return 0;
    int total = TopGap;
    for (qsizetype i = 0; i < m_lines.size(); ++i)
        total += lineHeight(i);
    return total;
}

int ResultsFooter::neededHeight() const
{
    return qMin(linesHeight(), m_maxLinesHeight) + ButtonRowHeight;
}

void ResultsFooter::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    arrange();
}

void ResultsFooter::arrange()
{
    const int visible = qMax(0, height() - ButtonRowHeight);
    const bool scrolls = linesHeight() > visible;
    const int scrollBar = scrolls ? m_scroll->verticalScrollBar()->sizeHint().width() : 0;
    const int textWidth = width() - 16 - scrollBar;
    int y = TopGap;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        QLabel* l = m_lines[i];
        QLabel* alert = m_alerts[i];
        int lineWidth = textWidth;
        if (alert) {
            const int alertWidth = QFontMetrics(alert->font()).horizontalAdvance(alert->text()) + 4;
            const int textNeeds = QFontMetrics(l->font()).horizontalAdvance(l->text()) + 8;
            lineWidth = qMax(0, qMin(textNeeds, textWidth - alertWidth));
            alert->setGeometry(8 + lineWidth, y, alertWidth, LineHeight);
        }
        const int h = lineHeight(i);
        l->setGeometry(8, y, lineWidth, h);
        y += h;
    }
    m_content->resize(width() - scrollBar, linesHeight());
    m_scroll->setGeometry(0, 0, width(), visible);
    m_scroll->setVisible(!m_lines.isEmpty());
    const int rowTop = height() - ButtonRowHeight;
    m_review->setGeometry(8, rowTop + 8, 100, ButtonRowHeight - 16);
}

} // namespace zelvora::gui
