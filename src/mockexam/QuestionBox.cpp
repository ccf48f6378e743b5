#include "mockexam/QuestionBox.h"

#include "mockexam/QuestionItemDelegate.h"

#include <QStylePainter>

namespace zelvora::gui {

QuestionBox::QuestionBox(QWidget* parent) : QComboBox(parent)
{
    setItemDelegate(new QuestionItemDelegate(this));
}

void QuestionBox::setItemExtra(int index, const QString& extra)
{
    if (index < 0 || index >= count() || itemExtra(index) == extra)
        return;
    setItemData(index, extra, ExtraRole);
    if (index == currentIndex())
        update();
}

QString QuestionBox::itemExtra(int index) const
{
    return itemData(index, ExtraRole).toString();
}

void QuestionBox::paintEvent(QPaintEvent* e)
{
    QComboBox::paintEvent(e);
    const QString extra = itemExtra(currentIndex());
    if (extra.isEmpty())
        return;
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    QStylePainter painter(this);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    const int left = fontMetrics().horizontalAdvance(opt.currentText + QStringLiteral("  "));
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(QuestionItemDelegate::ExtraColour(palette().color(QPalette::Button)));
    painter.drawText(field.adjusted(left + 2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, extra);
}

} // namespace zelvora::gui
