#include "mockexam/ExamNotice.h"

#include "app/Look.h"

#include <QMouseEvent>

namespace zelvora::gui {

ExamNotice::ExamNotice(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("lAviso"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAlignment(Qt::AlignCenter);
    setMargin(12);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xF2, 0xA3, 0x3A));
    pal.setColor(QPalette::WindowText, QColor(0x1E, 0x25, 0x40));
    setPalette(pal);
    setFont(Arial(18, true));
    setFrameShape(QFrame::Box);
    hide();
}

void ExamNotice::showNotice(const QString& text)
{
    setText(text);
    adjustSize();
    if (QWidget* p = parentWidget())
        move((p->width() - width()) / 2, 130);
    m_ticksLeft = ShownTicks;
    show();
    raise();
}

void ExamNotice::tick()
{
    if (m_ticksLeft > 0 && --m_ticksLeft == 0)
        hide();
}

void ExamNotice::mousePressEvent(QMouseEvent* e)
{
    m_ticksLeft = 0;
    hide();
    e->accept();
}

} // namespace zelvora::gui
