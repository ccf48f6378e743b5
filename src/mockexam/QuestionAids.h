#pragma once
// What the exam window adds to each question beside its answer, in one
// place so the window stays thin: the paper scrolled to the question
// (PaperNavigator), the seconds spent on it, the guess mark ("Chute", its
// check box beside "Revisar depois") and the user's note, kept per paper and
// question across attempts. Times and guess marks are written to the
// attempt store with the attempt; notes under the paper's content hash.
#include "mockexam/ExamReview.h"
#include "mockexam/QuestionTimes.h"

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
struct PaperInfo;
} // namespace zelvora::mockexam

namespace zelvora::gui {

class PaperNavigator;
class TPdfViewer;

class QuestionAids : public QObject {
    Q_OBJECT
public:
    // column: where the "Chute" box goes; window: the parent of the note dialog.
    QuestionAids(app::AppContext& ctx, TPdfViewer* viewer, QWidget* column, QWidget* window);

    QCheckBox* guessBox() const { return m_guessBox; }
    PaperNavigator* navigator() const { return m_navigator; }
    const mockexam::QuestionTimes& times() const { return m_times; }

    // A paper started (attemptId 0 without a store); a resumed attempt gets
    // its times back. The guess marks kept for the attempt are returned.
    std::vector<bool> paperStarted(const QString& pdfPath, int questionCount, int current, qint64 attemptId,
                                   bool resumed);
    void paperClosed();
    // The question shown in the answer column, and whether it is a guess.
    void questionShown(int question, bool guessed);
    // One second of the clock, spent on question.
    void tick(int question);
    void guessChanged(int question, bool guessed);
    // Writes the times (finishing, leaving the paper).
    void saveTimes();

    // Opens the note of question (0-based) for writing; noteSaved follows
    // when the user keeps it.
    void editNote(int question);
    std::vector<std::pair<int, std::string>> notes();

    // The times, guess marks and notes added to a review.
    void addTo(mockexam::ExamReview& review, const std::vector<bool>& guesses);
    // The results' lines: the times and the score without the guesses.
    QStringList resultLines(const std::vector<std::string>& key, const std::vector<std::string>& answers,
                            const std::vector<bool>& guesses, long long seconds, const mockexam::PaperInfo& info) const;

signals:
    void guessToggled(bool on);
    void noteSaved(int question);

private:
    QString paperHash();

    app::AppContext& m_ctx;
    QWidget* m_window;
    QCheckBox* m_guessBox = nullptr;
    PaperNavigator* m_navigator = nullptr;
    mockexam::QuestionTimes m_times;
    QString m_pdfPath;
    QString m_hash;
    qint64 m_attempt = 0;
    int m_unsavedSeconds = 0;
};

} // namespace zelvora::gui
