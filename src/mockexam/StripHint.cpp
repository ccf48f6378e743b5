#include "mockexam/StripHint.h"

#include "app/Look.h"

#include <QPainter>

namespace zelvora::gui {

const QString StripHint::Text = QStringLiteral("Escolha a prova e clique em Iniciar");

namespace {
const QColor HintColour(0x9A, 0xA8, 0xD2);
constexpr int RightMargin = 8;
} // namespace

StripHint::StripHint(QWidget* strip) : QWidget(strip)
{
    setObjectName(QStringLiteral("lDica"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(Arial(12));
    setAccessibleName(Text);
}

void StripHint::place(int left, int top, int height)
{
    // Up to the strip's edge, so no part of a hint in the picture shows.
    setGeometry(left, top, qMax(0, parentWidget()->width() - left), height);
    update();
}

bool StripHint::fits() const
{
    return fontMetrics().horizontalAdvance(Text) <= width() - RightMargin;
}

void StripHint::setRunning(bool running)
{
    m_running = running;
    setAccessibleName(running ? QString() : Text);
    update();
}

QString StripHint::shownText() const
{
    // A hint cut short helps nobody: whole, or not at all.
    if (m_running || !fits())
        return {};
    return Text;
}

void StripHint::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), DarkBlue());
    p.setPen(HintColour);
    p.setFont(font());
    p.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, shownText());
}

} // namespace zelvora::gui
