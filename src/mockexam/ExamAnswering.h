#pragma once
// Between the answer column, the question aids and the exam run: what the
// user does in the column (an option, the review mark, the guess mark, a
// struck-out option, a note) goes to the run, and the column then shows what
// the run holds. The window keeps the handlers of its controls and hands
// their acts here.
#include <QObject>
#include <QString>

namespace zelvora::app {
struct AppContext;
} // namespace zelvora::app

namespace zelvora::mockexam {
class ExamRun;
} // namespace zelvora::mockexam

namespace zelvora::gui {

class AnswerColumn;
class QuestionAids;

class ExamAnswering : public QObject {
    Q_OBJECT
public:
    ExamAnswering(app::AppContext& ctx, mockexam::ExamRun& run, AnswerColumn* column, QuestionAids* aids,
                  QObject* parent);

    // A click on option (0 = A): false when the run refused it (review, time
    // up), the column then showing the answer the run keeps.
    bool answer(int option);
    // The option marked as a click on it would, while answers are open.
    void markOption(int option);
    void toggleReviewMark();
    void toggleGuess();
    void writeNote();
    // A paper the run has just started: its questions in the column, the
    // aids told of its PDF and attempt.
    void showPaper(const QString& pdfPath);
    // The run's current question in the column and the aids.
    void showQuestion();
    // The clock at the column's foot: the countdown, or the seconds taken.
    void showClock();

private:
    mockexam::ExamRun& m_run;
    AnswerColumn* m_column;
    QuestionAids* m_aids;
};

} // namespace zelvora::gui
