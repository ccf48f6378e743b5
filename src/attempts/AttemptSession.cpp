#include "attempts/AttemptSession.h"

#include "attempts/AttemptStore.h"
#include "attempts/AttemptTexts.h"

#include <QFile>

#include <algorithm>
#include <cstdio>

namespace zelvora::attempts {

namespace {

// The store's own detail (SQLite's message) is for the log, never the window.
void Log(const StoreResult& result)
{
    if (!result && !result.detail().empty())
        std::fprintf(stderr, "zelvora: attempt store: %s\n", result.detail().c_str());
}

} // namespace

AttemptSession::AttemptSession(AttemptStore* store, Ask ask, Tell tell)
    : m_store(store)
    , m_ask(std::move(ask))
    , m_tell(std::move(tell))
    , m_recorder(store)
{
    // A write that fails in the middle of an exam is said once per attempt.
    m_recorder.onFailure = [this](const StoreResult& result) {
        Log(result);
        if (m_tell)
            m_tell(AttemptTexts::WriteFailed(result));
    };
}

void AttemptSession::setStore(AttemptStore* store)
{
    m_recorder.stop();
    m_store = store;
    m_recorder.setStore(store);
    m_told = false;
}

void AttemptSession::sayOnceWhyUnavailable()
{
    if (m_told || !m_store)
        return;
    m_told = true;
    if (!m_tell)
        return;
    if (!m_store->isOpen()) {
        Log(m_store->status());
        m_tell(AttemptTexts::Unavailable(m_store->status()));
        return;
    }
    if (!m_store->setAsidePath().isEmpty())
        m_tell(AttemptTexts::SetAside(m_store->setAsidePath()));
    if (m_store->lostCommits() > 0 || m_store->shortAttempts() > 0)
        m_tell(AttemptTexts::AnswersLost());
}

AttemptSession::Start AttemptSession::start(const PaperIdentity& paper, const QString& paperName,
                                            const std::vector<std::string>& key, const mockexam::PaperInfo& info)
{
    m_recorder.stop();
    Start result;
    sayOnceWhyUnavailable();
    if (!m_store || !m_store->isOpen())
        return result;
    const auto found = m_store->findInterrupted(paper);
    if (!found)
        Log(found.status());
    if (found && found.value() && found.value()->questionCount == int(key.size())) {
        const Attempt& old = *found.value();
        AttemptClaim::Outcome outcome = AttemptClaim::Outcome::Unavailable;
        auto claim = AttemptClaim::Take(QFile::encodeName(m_store->claimFolder()).toStdString(), old.id, &outcome);
        if (outcome == AttemptClaim::Outcome::HeldElsewhere) {
            if (m_tell)
                m_tell(AttemptTexts::OpenElsewhere());
        } else if (m_ask && m_ask(AttemptTexts::ResumeQuestion(old.answered, old.questionCount, old.elapsedSeconds))) {
            m_recorder.resume(old, key, std::move(claim), info);
            result.resumed = true;
            result.answers = old.answers;
            result.currentQuestion = old.currentQuestion;
            result.elapsedSeconds = old.elapsedSeconds;
            return result;
        }
    }
    m_recorder.begin(paper, paperName, key, info);
    return result;
}

void AttemptSession::answered(int question, const std::vector<std::string>& answers, int currentQuestion)
{
    m_recorder.answer(question, answers, currentQuestion);
}

void AttemptSession::tick(qint64 elapsedSeconds, int currentQuestion)
{
    m_recorder.tick(elapsedSeconds, currentQuestion);
}

void AttemptSession::leave(qint64 elapsedSeconds, int currentQuestion)
{
    m_recorder.save(elapsedSeconds, currentQuestion);
}

void AttemptSession::finish(qint64 elapsedSeconds, const std::vector<std::string>& answers)
{
    m_recorder.finish(elapsedSeconds, answers);
}

void AttemptSession::written(const StoreResult& result)
{
    m_recorder.report(result);
}

bool AttemptSession::confirmLeave()
{
    return !m_ask || m_ask(AttemptTexts::LeaveQuestion());
}

bool AttemptSession::confirmFinish(const std::vector<std::string>& answers)
{
    const int blanks = int(std::count(answers.begin(), answers.end(), std::string("#")));
    return blanks == 0 || !m_ask || m_ask(AttemptTexts::BlankQuestion(blanks));
}

} // namespace zelvora::attempts
