#pragma once
// Draws one cell of the answer card: the question's number small at the top,
// the letter marked large below it; amber for "revisar", a violet corner for
// a guess, a white outline on the current question and the keyboard's cell.
#include <QStyledItemDelegate>

namespace zelvora::gui {

class AnswerCardDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace zelvora::gui
