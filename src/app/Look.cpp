#include "app/Look.h"

#include <QStringList>
#include <QWidget>

namespace zelvora::gui {

QFont Arial(int pixels, bool bold, bool italic)
{
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QColor DarkBlue()
{
    return QColor(50, 63, 108);
}

QColor PaperAreaColour()
{
    return QColor(0xC8, 0xDA, 0xE9);
}

QColor AnswerColumnColour()
{
    return QColor(0x27, 0x3F, 0x6F);
}

QColor AnswerBoxColour()
{
    return QColor(0x2B, 0x68, 0x98);
}

void Paint(QWidget* w, const QColor& background)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, background);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

void MakeDarkBlue(QWidget* w)
{
    QPalette pal(DarkBlue());
    pal.setColor(QPalette::WindowText, Qt::white);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

void MakeTextWhite(QWidget* w)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    w->setPalette(pal);
}

QPalette OwnPalette(const QPalette& from)
{
    QPalette pal;
    for (int g = 0; g < QPalette::NColorGroups; ++g)
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            const auto group = QPalette::ColorGroup(g);
            const auto role = QPalette::ColorRole(r);
            pal.setBrush(group, role, from.brush(group, role));
        }
    return pal;
}

void MakeWhiteLabel(QLabel* label, const QFont& font, QPoint at)
{
    label->setFont(font);
    MakeTextWhite(label);
    label->move(at);
    label->adjustSize();
}

} // namespace zelvora::gui
