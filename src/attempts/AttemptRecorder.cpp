#include "attempts/AttemptRecorder.h"

#include "attempts/AttemptStore.h"
#include "mockexam/ExamScore.h"

#include <QFile>

namespace zelvora::attempts {

using mockexam::ExamScore;

AttemptRecorder::~AttemptRecorder()
{
    stop();
}

void AttemptRecorder::setStore(AttemptStore* store)
{
    stop();
    m_store = store;
}

StoreResult AttemptRecorder::begin(const PaperIdentity& paper, const QString& paperName,
                                   const std::vector<std::string>& key, const mockexam::PaperInfo& info)
{
    stop();
    if (!m_store || !m_store->isOpen())
        return StoreResult::Fail(StoreError::NotOpen);
    const auto id = m_store->begin(paper, paperName, int(key.size()));
    if (!id) {
        report(id.status());
        return id.status();
    }
    m_id = id.value();
    m_key = key;
    m_given.assign(key.size(), "#");
    m_stored = m_given;
    m_claim = AttemptClaim::Take(QFile::encodeName(m_store->claimFolder()).toStdString(), m_id);
    m_info = info;
    return StoreResult::Ok();
}

void AttemptRecorder::resume(const Attempt& attempt, const std::vector<std::string>& key,
                             std::unique_ptr<AttemptClaim> claim, const mockexam::PaperInfo& info)
{
    stop();
    m_id = attempt.id;
    m_key = key;
    m_stored = attempt.answers;
    m_stored.resize(key.size(), "#");
    m_given = m_stored;
    m_current = attempt.currentQuestion;
    m_claim = std::move(claim);
    m_info = info;
}

void AttemptRecorder::stop()
{
    if (active() && m_store) {
        // Last chance for what is still waiting (the disk may have room now).
        if (waiting() > 0)
            writeWaiting(m_current);
        writeFinish();
    }
    m_id = 0;
    m_key.clear();
    m_given.clear();
    m_stored.clear();
    m_finishWaiting.reset();
    m_claim.reset();
    m_info = {};
    m_reported = false;
}

int AttemptRecorder::waiting() const
{
    int n = 0;
    for (size_t i = 0; i < m_given.size(); ++i)
        n += m_given[i] != m_stored[i];
    return n;
}

int AttemptRecorder::storedHits() const
{
    return ExamScore::Compute(m_key, m_stored, 0, m_info).hits;
}

bool AttemptRecorder::writeWaiting(int currentQuestion)
{
    std::vector<std::pair<int, std::string>> changes;
    std::vector<std::string> after = m_stored;
    for (size_t i = 0; i < m_given.size(); ++i) {
        if (m_given[i] != m_stored[i]) {
            changes.emplace_back(int(i), m_given[i]);
            after[i] = m_given[i];
        }
    }
    if (changes.empty())
        return true;
    const StoreResult r = m_store->recordAnswers(m_id, changes, currentQuestion,
                                                 ExamScore::Compute(m_key, after, 0, m_info).hits);
    if (!r) {
        report(r);
        return false;
    }
    m_stored = std::move(after);
    return true;
}

void AttemptRecorder::writeFinish()
{
    if (!m_finishWaiting || waiting() > 0)
        return;
    const StoreResult r = m_store->finish(m_id, *m_finishWaiting, storedHits());
    if (!r) {
        report(r);
        return;
    }
    m_finishWaiting.reset();
}

void AttemptRecorder::answer(int question, const std::vector<std::string>& answers, int currentQuestion)
{
    if (!active() || !m_store || question < 0 || size_t(question) >= answers.size())
        return;
    for (size_t i = 0; i < m_given.size() && i < answers.size(); ++i)
        m_given[i] = answers[i];
    m_current = currentQuestion;
    writeWaiting(currentQuestion);
}

void AttemptRecorder::tick(qint64 elapsedSeconds, int currentQuestion)
{
    if (elapsedSeconds > 0 && elapsedSeconds % ClockSaveSeconds == 0)
        save(elapsedSeconds, currentQuestion);
}

void AttemptRecorder::save(qint64 elapsedSeconds, int currentQuestion)
{
    if (!active() || !m_store)
        return;
    m_current = currentQuestion;
    writeWaiting(currentQuestion);
    if (const StoreResult r = m_store->recordProgress(m_id, elapsedSeconds, currentQuestion); !r)
        report(r);
    writeFinish();
}

void AttemptRecorder::finish(qint64 elapsedSeconds, const std::vector<std::string>& answers)
{
    if (!active() || !m_store)
        return;
    for (size_t i = 0; i < m_given.size() && i < answers.size(); ++i)
        m_given[i] = answers[i];
    m_finishWaiting = elapsedSeconds;
    writeWaiting(m_current);
    writeFinish();
}

void AttemptRecorder::report(const StoreResult& result)
{
    if (result || m_reported)
        return;
    m_reported = true;
    if (onFailure)
        onFailure(result);
}

} // namespace zelvora::attempts
