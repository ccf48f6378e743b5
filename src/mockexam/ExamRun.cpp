#include "mockexam/ExamRun.h"

#include "attempts/AttemptStore.h"
#include "attempts/QuestionStore.h"

#include <algorithm>

namespace zelvora::mockexam {

ExamRun::ExamRun(attempts::AttemptStore* store, attempts::AttemptSession::Ask ask, attempts::AttemptSession::Tell tell)
    : m_session(store, std::move(ask), std::move(tell))
{
}

attempts::AttemptSession::Start ExamRun::start(const PaperBundle& paper, const QString& name, int limitSeconds)
{
    m_paper = paper;
    m_answers.start(m_paper.key.size(), m_paper.info.itemType);
    m_elapsed = 0;
    m_timeUp = false;
    m_phase = RunPhase::Running;
    // The store keeps the score the results show: the same scoring, under
    // the paper's info.
    const auto begun = m_session.start(m_paper.identity, name, m_paper.key, m_paper.info);
    m_times.start(m_paper.key.size());
    m_unsavedSeconds = 0;
    if (begun.resumed) {
        m_answers.restore(begun.answers, begun.currentQuestion);
        m_elapsed = begun.elapsedSeconds;
        // The times and guesses the attempt kept (none for an older one).
        if (attempts::AttemptStore* store = m_session.store(); store && store->isOpen() && m_session.attemptId() > 0) {
            attempts::QuestionStore questions(*store);
            const int n = int(m_paper.key.size());
            const auto seconds = questions.seconds(m_session.attemptId(), n);
            m_times.restore(std::vector<long long>(seconds.begin(), seconds.end()));
            m_answers.restoreGuesses(questions.guesses(m_session.attemptId(), n));
        }
    }
    m_countdown.start(limitSeconds > 0 ? int(std::max<long long>(1, limitSeconds - m_elapsed)) : 0);
    changed();
    return begun;
}

void ExamRun::reset()
{
    m_phase = RunPhase::Idle;
    m_timeUp = false;
    changed();
}

bool ExamRun::confirmLeave()
{
    if (!inProgress())
        return true;
    if (!m_session.confirmLeave())
        return false;
    leave();
    return true;
}

void ExamRun::leave()
{
    if (inProgress()) {
        m_session.leave(m_elapsed, m_answers.current());
        saveTimes();
    }
}

void ExamRun::saveTimes()
{
    m_unsavedSeconds = 0;
    attempts::AttemptStore* store = m_session.store();
    if (!store || !store->isOpen() || m_session.attemptId() <= 0)
        return;
    const auto& s = m_times.seconds();
    m_session.written(
        attempts::QuestionStore(*store).saveSeconds(m_session.attemptId(), std::vector<qint64>(s.begin(), s.end())));
}

bool ExamRun::toggleGuess()
{
    if (!active() || answersLocked())
        return false;
    m_answers.toggleGuess();
    const int q = m_answers.current();
    if (attempts::AttemptStore* store = m_session.store(); store && store->isOpen() && m_session.attemptId() > 0)
        m_session.written(attempts::QuestionStore(*store).setGuess(m_session.attemptId(), q, m_answers.guessed(q)));
    changed();
    return true;
}

bool ExamRun::answer(int option)
{
    if (!active() || answersLocked())
        return false;
    const int q = m_answers.current();
    const bool changedAnswer = m_answers.answer(option);
    if (option >= 0 && option < 5 && m_answers.questionCount() > 0)
        m_session.answered(q, m_answers.answers(), q);
    changed();
    return changedAnswer;
}

bool ExamRun::select(int question)
{
    if (!m_answers.select(question))
        return false;
    changed();
    return true;
}

bool ExamRun::next()
{
    if (!m_answers.next())
        return false;
    changed();
    return true;
}

bool ExamRun::previous()
{
    if (!m_answers.previous())
        return false;
    changed();
    return true;
}

bool ExamRun::toggleReviewMark()
{
    if (!active() || reviewing())
        return false;
    m_answers.toggleReview();
    changed();
    return true;
}

bool ExamRun::toggleStruck(int option)
{
    if (!active() || reviewing())
        return false;
    m_answers.toggleStruck(option);
    changed();
    return true;
}

CountdownEvent ExamRun::tick()
{
    if (!inProgress())
        return CountdownEvent::None;
    ++m_elapsed;
    m_session.tick(m_elapsed, m_answers.current());
    m_times.tick(m_answers.current());
    // Written every ten seconds, as the clock is, and when the run ends.
    if (++m_unsavedSeconds >= 10)
        saveTimes();
    if (!m_countdown.limited()) {
        changed();
        return CountdownEvent::None;
    }
    const CountdownEvent event = m_countdown.tick();
    if (event == CountdownEvent::TimeUp) {
        // Answers stay as they were when the time ran out; nothing is asked.
        m_timeUp = true;
        finishNow();
    }
    changed();
    return event;
}

bool ExamRun::finish()
{
    if (!active())
        return false;
    // Blank questions are asked about once; finishing again only scores again.
    if (inProgress() && !m_session.confirmFinish(m_answers.answers()))
        return false;
    finishNow();
    changed();
    return true;
}

void ExamRun::finishNow()
{
    if (m_phase != RunPhase::Reviewing)
        m_phase = RunPhase::Finished;
    m_session.finish(m_elapsed, m_answers.answers());
    saveTimes();
}

bool ExamRun::enterReview(int question)
{
    if (m_phase != RunPhase::Finished && m_phase != RunPhase::Reviewing)
        return false;
    if (!m_answers.select(question))
        return false;
    m_phase = RunPhase::Reviewing;
    changed();
    return true;
}

void ExamRun::leaveReview()
{
    if (m_phase != RunPhase::Reviewing)
        return;
    m_phase = RunPhase::Finished;
    changed();
}

ExamScore ExamRun::score() const
{
    return ExamScore::Compute(m_paper.key, m_answers.answers(), m_elapsed, m_paper.info);
}

std::set<int> ExamRun::guessedNumbers() const
{
    std::set<int> out;
    const auto& marks = m_answers.guesses();
    for (size_t q = 0; q < marks.size(); ++q)
        if (marks[q])
            out.insert(int(q) + 1);
    return out;
}

BoardScore ExamRun::boardScore(const std::set<int>& guessed) const
{
    return BoardScore::Compute(m_paper.key, m_answers.answers(), m_paper.info, guessed);
}

ExamReview ExamRun::review() const
{
    return ExamReview::Build(m_paper.key, m_answers.answers(), m_answers.reviewMarks(), m_paper.info);
}

int ExamRun::keyOption(int q) const
{
    return q >= 0 && q < int(m_paper.key.size()) ? m_paper.info.optionOf(m_paper.key[size_t(q)]) : -1;
}

void ExamRun::changed()
{
    if (onChanged)
        onChanged();
}

} // namespace zelvora::mockexam
