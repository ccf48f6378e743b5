#include "mockexam/AnswerCardDelegate.h"

#include "app/Look.h"
#include "mockexam/AnswerCard.h"

#include <QPainter>

namespace zelvora::gui {

namespace {
const QColor BlankCell(0x34, 0x50, 0x86);
const QColor AnsweredCell(0xE8, 0xEE, 0xF8);
const QColor ReviewCell(0xF2, 0xB1, 0x3A);
const QColor GuessCorner(0xA8, 0x6C, 0xE0);
const QColor DarkText(0x1D, 0x2C, 0x58);
const QColor LightText(0xC8, 0xD4, 0xEC);
} // namespace

void AnswerCardDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QString letter = index.data(AnswerCard::LetterRole).toString();
    const bool review = index.data(AnswerCard::ReviewRole).toBool();
    const bool guess = index.data(AnswerCard::GuessRole).toBool();
    const bool current = index.data(AnswerCard::CurrentRole).toBool();
    const bool focused = (option.state & QStyle::State_HasFocus) != 0;

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QRectF cell = QRectF(option.rect).adjusted(1.5, 1.5, -1.5, -1.5);
    const QColor fill = review ? ReviewCell : letter.isEmpty() ? BlankCell : AnsweredCell;
    painter->setPen(Qt::NoPen);
    painter->setBrush(fill);
    painter->drawRoundedRect(cell, 3, 3);
    if (guess) {
        QPolygonF corner;
        corner << cell.topRight() << cell.topRight() + QPointF(-9, 0) << cell.topRight() + QPointF(0, 9);
        painter->setBrush(GuessCorner);
        painter->drawPolygon(corner);
    }
    if (current || focused) {
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(focused ? QColor(0xFF, 0xE0, 0x66) : QColor(Qt::white), current ? 2.5 : 1.5));
        painter->drawRoundedRect(cell.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    }
    const QColor text = fill == BlankCell ? LightText : DarkText;
    painter->setPen(text);
    painter->setFont(Arial(9));
    painter->drawText(cell.adjusted(0, 1, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                      QString::number(index.data(AnswerCard::NumberRole).toInt()));
    if (!letter.isEmpty()) {
        painter->setFont(Arial(12, true));
        painter->drawText(cell.adjusted(0, 0, 0, -1), Qt::AlignHCenter | Qt::AlignBottom, letter);
    }
    painter->restore();
}

QSize AnswerCardDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return {AnswerCard::CellWidth, AnswerCard::CellHeight};
}

} // namespace zelvora::gui
