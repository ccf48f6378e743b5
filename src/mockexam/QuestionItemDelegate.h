#pragma once
// Paints an item of the question selector's list: its text as usual, then
// its extra text (QuestionBox::ExtraRole) after it.
#include <QStyledItemDelegate>

namespace zelvora::gui {

class QuestionItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The extra text's colour on a given background: a clear blue on light
    // ground, a light yellow on dark (the selected row).
    static QColor ExtraColour(const QColor& background);
};

} // namespace zelvora::gui
