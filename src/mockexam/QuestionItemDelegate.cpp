#include "mockexam/QuestionItemDelegate.h"

#include "mockexam/QuestionBox.h"

#include <QApplication>
#include <QPainter>

namespace zelvora::gui {

QColor QuestionItemDelegate::ExtraColour(const QColor& background)
{
    return background.lightness() < 128 ? QColor(0xFF, 0xE0, 0x8A) : QColor(0x1F, 0x5F, 0xB0);
}

void QuestionItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QString extra = index.data(QuestionBox::ExtraRole).toString();
    if (extra.isEmpty())
        return;
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget* widget = opt.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const int textWidth = opt.fontMetrics.horizontalAdvance(opt.text);
    QRect extraRect = textRect.adjusted(margin + textWidth + opt.fontMetrics.horizontalAdvance(QLatin1Char(' ')) * 2, 0,
                                        0, 0);
    const bool selected = opt.state & QStyle::State_Selected;
    const QColor ground = selected ? opt.palette.color(QPalette::Highlight) : opt.palette.color(QPalette::Base);
    painter->save();
    QFont bold = opt.font;
    bold.setBold(true);
    painter->setFont(bold);
    painter->setPen(ExtraColour(ground));
    painter->drawText(extraRect, Qt::AlignLeft | Qt::AlignVCenter, extra);
    painter->restore();
}

QSize QuestionItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QString extra = index.data(QuestionBox::ExtraRole).toString();
    if (!extra.isEmpty())
        size.rwidth() += option.fontMetrics.horizontalAdvance(QStringLiteral("  ") + extra) + 4;
    return size;
}

} // namespace zelvora::gui
