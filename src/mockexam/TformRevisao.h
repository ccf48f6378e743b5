#pragma once
// The review of a finished exam: every question with the answer given, the
// key's answer and how it came out (certa, errada, em branco, anulada),
// filtered by "Todas", "Erradas", "Em branco", "Marcadas para revisar" or
// "Chutes", with the time spent on each and the user's note. Choosing a
// question asks the exam window to show it with both answers; "Anotação..."
// (btAnotar) asks it for the chosen question's note.
#include "mockexam/ExamReview.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace zelvora::gui {

class TformRevisao : public QDialog {
    Q_OBJECT
public:
    explicit TformRevisao(QWidget* parent = nullptr);

    void setReview(const zelvora::mockexam::ExamReview& review);
    const zelvora::mockexam::ExamReview& review() const { return m_review; }
    // The filter the list shows; the list follows at once.
    void setFilter(zelvora::mockexam::ReviewFilter filter);

signals:
    // A question (0-based) was chosen in the list.
    void questionChosen(int question);
    // The user wants to write the note of a question (0-based).
    void noteRequested(int question);
    // The window was closed.
    void closed();

public slots:
    // The close box, Escape and close() all end here.
    void done(int result) override;

private:
    void fill();
    void chosen(int row);

    zelvora::mockexam::ExamReview m_review;
    QComboBox* m_filter = nullptr;
    QListWidget* m_list = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_note = nullptr;
};

} // namespace zelvora::gui
