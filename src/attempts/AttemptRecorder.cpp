#include "attempts/AttemptRecorder.h"

#include "attempts/AttemptStore.h"
#include "mockexam/ExamScore.h"

namespace zelvora::attempts {

using mockexam::ExamScore;

bool AttemptRecorder::begin(const PaperIdentity& paper, const QString& paperName, const std::vector<std::string>& key,
                            const mockexam::PaperInfo& info)
{
    stop();
    if (!m_store || !m_store->isOpen())
        return false;
    const auto id = m_store->begin(paper, paperName, int(key.size()));
    report(id.has_value());
    if (!id)
        return false;
    m_id = *id;
    m_key = key;
    m_info = info;
    return true;
}

void AttemptRecorder::resume(const Attempt& attempt, const std::vector<std::string>& key,
                             const mockexam::PaperInfo& info)
{
    stop();
    m_id = attempt.id;
    m_key = key;
    m_info = info;
}

void AttemptRecorder::stop()
{
    m_id = 0;
    m_key.clear();
    m_info = {};
    m_reported = false;
}

void AttemptRecorder::answer(int question, const std::vector<std::string>& answers, int currentQuestion)
{
    if (!active() || !m_store || question < 0 || size_t(question) >= answers.size())
        return;
    const ExamScore score = ExamScore::Compute(m_key, answers, 0, m_info);
    report(
        m_store->recordAnswer(m_id, question, answers[size_t(question)], currentQuestion, score.answered, score.hits));
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
    report(m_store->recordProgress(m_id, elapsedSeconds, currentQuestion));
}

void AttemptRecorder::finish(qint64 elapsedSeconds, const std::vector<std::string>& answers)
{
    if (!active() || !m_store)
        return;
    const ExamScore score = ExamScore::Compute(m_key, answers, elapsedSeconds, m_info);
    report(m_store->finish(m_id, elapsedSeconds, score.answered, score.hits));
}

void AttemptRecorder::report(bool ok)
{
    if (ok || m_reported)
        return;
    m_reported = true;
    if (onFailure)
        onFailure(m_store ? m_store->error() : QString());
}

} // namespace zelvora::attempts
