#include "mockexam/ResultsFooter.h"

#include "app/Look.h"

#include <QLabel>
#include <QPushButton>

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

    m_review = new QPushButton(QStringLiteral("Revisar"), this);
    m_review->setObjectName(QStringLiteral("btRevisar"));
    m_review->setToolTip(QStringLiteral("Ver cada questão com a resposta dada e a do gabarito"));
    connect(m_review, &QPushButton::clicked, this, &ResultsFooter::reviewRequested);
    arrange();
}

void ResultsFooter::setLines(const QStringList& lines)
{
    qDeleteAll(m_lines);
    m_lines.clear();
    const QFont f = Arial(15);
    for (const QString& text : lines) {
        auto* l = new QLabel(text, this);
        l->setFont(f);
        // A line too long for the window wraps; none is ever cut off.
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setPalette(palette());
        l->show();
        m_lines << l;
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

int ResultsFooter::lineHeight(const QLabel* line) const
{
    return qMax(LineHeight, line->heightForWidth(textWidth()));
}

int ResultsFooter::textWidth() const
{
    const int outer = parentWidget() ? parentWidget()->width() : width();
    return qMax(1, outer - 16);
}

int ResultsFooter::neededHeight() const
{
    int lines = 0;
    for (const QLabel* l : m_lines)
        lines += lineHeight(l);
    return (m_lines.isEmpty() ? 0 : TopGap + lines) + ButtonRowHeight;
}

void ResultsFooter::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    arrange();
}

void ResultsFooter::arrange()
{
    int y = TopGap;
    for (QLabel* l : m_lines) {
        const int h = lineHeight(l);
        l->setGeometry(8, y, textWidth(), h);
        y += h;
    }
    const int rowTop = height() - ButtonRowHeight;
    m_review->setGeometry(8, rowTop + 8, 100, ButtonRowHeight - 16);
}

} // namespace zelvora::gui
