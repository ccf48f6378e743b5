#pragma once
// The answer card under the answer column's buttons, as on the board's
// answer sheet: a small cell for every question with its number and the
// letter marked, tinted when the question is marked for review or its answer
// is a guess, the current question outlined. A click on a cell, or Enter on
// it, asks for that question. Arrow keys move between cells; each cell has
// an accessible name ("Questão 3: marcada C, revisar").
#include <QListView>

class QStandardItemModel;

namespace zelvora::gui {

class AnswerCard : public QListView {
    Q_OBJECT
public:
    static constexpr int CellWidth = 30;
    static constexpr int CellHeight = 30;
    // Item data of each cell.
    enum Role { NumberRole = Qt::UserRole + 1, LetterRole, ReviewRole, GuessRole, CurrentRole };

    explicit AnswerCard(QWidget* parent = nullptr);

    // n blank cells; none current.
    void setQuestionCount(int n);
    int questionCount() const;
    // question is 0-based; letter empty for no answer.
    void setCell(int question, const QString& letter, bool review, bool guess = false);
    void setCurrent(int question);
    int current() const { return m_current; }

    // What a cell says: "3 C" ("3" when blank), and its accessible name.
    QString cellText(int question) const;
    QString cellName(int question) const;
    // A cell's rectangle in the viewport.
    QRect cellRect(int question) const;

signals:
    void questionChosen(int question);

private:
    void nameCell(int question);

    QStandardItemModel* m_model;
    int m_current = -1;
};

} // namespace zelvora::gui
