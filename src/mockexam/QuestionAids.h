#pragma once
// What the exam window shows of each question beside its answer, in one
// place so the window stays thin: the paper scrolled to the question
// (PaperNavigator), the guess mark's check box ("Chute", beside "Revisar
// depois"), the user's note (kept per paper and question across attempts,
// under the paper's content hash), and the times and guesses the exam run
// keeps, in the results and the review.
#include "mockexam/ExamReview.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QCheckBox;

namespace zelvora::app {
struct AppContext;
} // namespace zelvora::app

namespace zelvora::mockexam {
class ExamRun;
} // namespace zelvora::mockexam

namespace zelvora::gui {

class AnswerColumn;
class PaperNavigator;
class TPdfViewer;

class QuestionAids : public QObject {
    Q_OBJECT
public:
    // column: where the "Chute" box goes, beside "Revisar depois" and in its
    // look; window: the parent of the note dialog.
    QuestionAids(app::AppContext& ctx, TPdfViewer* viewer, AnswerColumn* column, QWidget* window);

    QCheckBox* guessBox() const { return m_guessBox; }
    PaperNavigator* navigator() const { return m_navigator; }
    // Puts "Chute" right of "Revisar depois", wherever the column put it,
    // and shows it when that shows.
    void placeGuessBox();

    // A paper started (attemptId 0 without a store).
    void paperStarted(const QString& pdfPath, int questionCount, int current, qint64 attemptId);
    void paperClosed();
    // The question shown in the answer column, and whether it is a guess.
    void questionShown(int question, bool guessed);

    // Opens the note of question (0-based) for writing; noteSaved follows
    // when the user keeps it.
    void editNote(int question);
    std::vector<std::pair<int, std::string>> notes();

    // The run's times and guess marks and the notes added to a review.
    void addTo(mockexam::ExamReview& review, const mockexam::ExamRun& run);
    // The results' lines: the times and the score without the guesses.
    static QStringList ResultLines(const mockexam::ExamRun& run);

signals:
    void guessToggled(bool on);
    void noteSaved(int question);

private:
    QString paperHash();

    app::AppContext& m_ctx;
    QWidget* m_window;
    AnswerColumn* m_column;
    QCheckBox* m_guessBox = nullptr;
    PaperNavigator* m_navigator = nullptr;
    QString m_pdfPath;
    QString m_hash;
    qint64 m_attempt = 0;
};

} // namespace zelvora::gui
