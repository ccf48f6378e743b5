#pragma once
// One attempt at a paper, without a window: idle until a paper starts, then
// running (answers may change, the clock counts), finished (by the user, or
// because the time ran out), and reviewing (a finished attempt seen question
// by question, answers read-only). The run owns the answers and marks, the
// elapsed time and countdown, scores through ExamScore and keeps the attempt
// store's session informed. The exam window only shows the run's state and
// forwards the user's acts; onChanged tells it to show the state again.
#include "attempts/AttemptSession.h"
#include "mockexam/BoardScore.h"
#include "mockexam/ExamAnswers.h"
#include "mockexam/ExamCountdown.h"
#include "mockexam/ExamReview.h"
#include "mockexam/ExamScore.h"
#include "mockexam/PaperBundle.h"
#include "mockexam/QuestionTimes.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace zelvora::mockexam {

enum class RunPhase { Idle, Running, Finished, Reviewing };

class ExamRun {
public:
    ExamRun(attempts::AttemptStore* store, attempts::AttemptSession::Ask ask, attempts::AttemptSession::Tell tell);

    RunPhase phase() const { return m_phase; }
    // A paper is shown (any phase but idle).
    bool active() const { return m_phase != RunPhase::Idle; }
    // A paper runs and has not been finished: leaving it asks first.
    bool inProgress() const { return m_phase == RunPhase::Running; }
    bool reviewing() const { return m_phase == RunPhase::Reviewing; }
    // The run finished because its time ran out.
    bool timeRanOut() const { return m_timeUp; }
    // Answers cannot change: in the review and once the time ran out.
    bool answersLocked() const { return m_phase == RunPhase::Reviewing || m_timeUp; }

    // Starts paper, resuming its interrupted attempt when the user agrees;
    // limitSeconds 0 runs without a time limit (a resumed attempt has used
    // part of it already). Returns how the attempt began.
    attempts::AttemptSession::Start start(const PaperBundle& paper, const QString& name, int limitSeconds);
    // Back to idle without writing anything (the attempt was left).
    void reset();
    // Asks before leaving a paper in progress; true when it may be left (and
    // then it was, with its clock written).
    bool confirmLeave();
    // Leaves a paper in progress without asking (the program ends).
    void leave();

    // The user's acts; each returns whether anything changed.
    bool answer(int option);
    bool select(int question);
    bool next();
    bool previous();
    bool toggleReviewMark();
    bool toggleStruck(int option);
    // "Chute" for the current question, kept with the attempt.
    bool toggleGuess();

    // One second passed: the elapsed time grows, the countdown ticks, and at
    // zero the run finishes without asking about blank questions.
    CountdownEvent tick();
    // Finalizar: asks about blank questions the first time; true when the
    // run is (still) finished and the score stands.
    bool finish();
    bool enterReview(int question);
    void leaveReview();

    const ExamAnswers& answers() const { return m_answers; }
    const std::vector<std::string>& key() const { return m_paper.key; }
    const PaperInfo& info() const { return m_paper.info; }
    const ExamCountdown& countdown() const { return m_countdown; }
    // The seconds each question was the current one while the run ran.
    const QuestionTimes& times() const { return m_times; }
    long long elapsedSeconds() const { return m_elapsed; }
    ExamScore score() const;
    // The board's score (blocks, weights, minimums, cut-off); guessed: the
    // questions (1-based) to leave out for the score without the guesses.
    BoardScore boardScore(const std::set<int>& guessed = {}) const;
    // The questions (1-based) marked as a guess.
    std::set<int> guessedNumbers() const;
    ExamReview review() const;
    // The key's option (0-based) for question q, -1 when none.
    int keyOption(int q) const;
    attempts::AttemptSession& session() { return m_session; }

    std::function<void()> onChanged;

private:
    void finishNow();
    void changed();
    void saveTimes();

    attempts::AttemptSession m_session;
    PaperBundle m_paper;
    ExamAnswers m_answers;
    ExamCountdown m_countdown;
    QuestionTimes m_times;
    int m_unsavedSeconds = 0;
    RunPhase m_phase = RunPhase::Idle;
    long long m_elapsed = 0;
    bool m_timeUp = false;
};

} // namespace zelvora::mockexam
