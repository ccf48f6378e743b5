#pragma once
// The exam window's question selector: a drop-down list whose items keep
// their own text ("Questão 3   OK") and show, after it and in a lighter
// colour, what else the user should see at a glance: the chosen letter and
// the "Revisar depois" mark. The extra text is item data, never part of the
// item's text, so everything that reads the list reads what it always did.
#include <QComboBox>

namespace zelvora::gui {

class QuestionBox : public QComboBox {
    Q_OBJECT
public:
    static constexpr int ExtraRole = Qt::UserRole + 1;

    explicit QuestionBox(QWidget* parent = nullptr);

    void setItemExtra(int index, const QString& extra);
    QString itemExtra(int index) const;

protected:
    void paintEvent(QPaintEvent* e) override;
};

} // namespace zelvora::gui
