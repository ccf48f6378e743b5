#include "notebook/ReviewSession.h"

#include "attempts/AttemptStore.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace zelvora::notebook {

namespace {

using SessionResult = ResultOf<ReviewSession, NotebookCode>;

QSqlDatabase Db(const Notebook& notebook)
{
    return QSqlDatabase::database(notebook.store().connectionName(), false);
}

// This instance's hold on the session's attempt, so that a second window on
// the same home never writes the same session; nothing when another has it.
std::shared_ptr<attempts::AttemptClaim> Claim(const Notebook& notebook, qint64 id, bool* heldElsewhere)
{
    using attempts::AttemptClaim;
    AttemptClaim::Outcome outcome = AttemptClaim::Outcome::Unavailable;
    std::shared_ptr<AttemptClaim> claim = AttemptClaim::Take(
        QFile::encodeName(notebook.store().claimFolder()).toStdString(), id, &outcome);
    *heldElsewhere = outcome == AttemptClaim::Outcome::HeldElsewhere;
    return claim;
}

Result<NotebookCode> SqlFailure(const QSqlQuery& q)
{
    return Result<NotebookCode>::Fail(NotebookCode::StoreFailed, q.lastError().text().toStdString());
}

} // namespace

SessionResult ReviewSession::Start(Notebook& notebook, const std::vector<qint64>& itemIds)
{
    if (!notebook.store().isOpen())
        return SessionResult::Fail(NotebookCode::StoreUnavailable, notebook.store().status().detail());
    if (itemIds.empty())
        return SessionResult::Fail(NotebookCode::NothingToReview);
    QSqlDatabase d = Db(notebook);
    if (!d.transaction())
        return SessionResult::Fail(NotebookCode::StoreFailed, d.lastError().text().toStdString());
    QSqlQuery q(d);
    const qint64 t = notebook.now().toMSecsSinceEpoch();
    // No paper: the session's identity never matches a paper's.
    q.prepare(QStringLiteral("INSERT INTO attempt (paper_name, pdf_path, data_folder, key_hash, question_count,"
                             " started_at, saved_at, kind) VALUES (?, '', '', '', ?, ?, ?, ?)"));
    q.addBindValue(QStringLiteral("Revisão do caderno de erros"));
    q.addBindValue(int(itemIds.size()));
    q.addBindValue(t);
    q.addBindValue(t);
    q.addBindValue(Kind);
    bool ok = q.exec();
    const qint64 id = ok ? q.lastInsertId().toLongLong() : 0;
    q.prepare(QStringLiteral("INSERT INTO review_question (attempt_id, position, item_id) VALUES (?, ?, ?)"));
    for (size_t i = 0; ok && i < itemIds.size(); ++i) {
        q.addBindValue(id);
        q.addBindValue(int(i));
        q.addBindValue(itemIds[i]);
        ok = q.exec();
    }
    if (!ok) {
        const auto failure = SqlFailure(q);
        d.rollback();
        return failure;
    }
    if (!d.commit()) {
        d.rollback();
        return SessionResult::Fail(NotebookCode::StoreFailed, d.lastError().text().toStdString());
    }
    bool heldElsewhere = false;
    auto claim = Claim(notebook, id, &heldElsewhere);
    return Load(notebook, id, std::move(claim));
}

ResultOf<std::optional<ReviewSession>, NotebookCode> ReviewSession::FindInterrupted(Notebook& notebook)
{
    using Found = ResultOf<std::optional<ReviewSession>, NotebookCode>;
    if (!notebook.store().isOpen())
        return Found::Fail(NotebookCode::StoreUnavailable, notebook.store().status().detail());
    QSqlQuery q(Db(notebook));
    q.prepare(QStringLiteral("SELECT id FROM attempt WHERE kind = ? AND finished = 0 ORDER BY started_at DESC, id DESC"
                             " LIMIT 1"));
    q.addBindValue(Kind);
    if (!q.exec())
        return SqlFailure(q);
    if (!q.next())
        return std::optional<ReviewSession>();
    const qint64 id = q.value(0).toLongLong();
    q.finish();
    // A session another window is answering is not this window's to resume.
    bool heldElsewhere = false;
    auto claim = Claim(notebook, id, &heldElsewhere);
    if (heldElsewhere)
        return std::optional<ReviewSession>();
    auto loaded = Load(notebook, id, std::move(claim));
    if (!loaded)
        return loaded.status();
    return std::optional<ReviewSession>(std::move(loaded).value());
}

SessionResult ReviewSession::Load(Notebook& notebook, qint64 attemptId, std::shared_ptr<attempts::AttemptClaim> claim)
{
    ReviewSession s(notebook);
    s.m_attemptId = attemptId;
    s.m_claim = std::move(claim);
    QSqlQuery q(Db(notebook));
    q.prepare(
        QStringLiteral("SELECT current_question, elapsed_seconds, finished FROM attempt WHERE id = ? AND kind = ?"));
    q.addBindValue(attemptId);
    q.addBindValue(Kind);
    if (!q.exec())
        return SqlFailure(q);
    if (!q.next())
        return SessionResult::Fail(NotebookCode::NotFound);
    s.m_current = q.value(0).toInt();
    s.m_elapsed = q.value(1).toLongLong();
    s.m_finished = q.value(2).toInt() != 0;
    q.prepare(QStringLiteral("SELECT item_id FROM review_question WHERE attempt_id = ? ORDER BY position"));
    q.addBindValue(attemptId);
    if (!q.exec())
        return SqlFailure(q);
    std::vector<qint64> ids;
    while (q.next())
        ids.push_back(q.value(0).toLongLong());
    q.finish();
    for (qint64 id : ids) {
        auto it = notebook.item(id);
        if (!it)
            return it.status();
        s.m_items.push_back(std::move(it).value());
    }
    s.m_answers.assign(s.m_items.size(), "#");
    q.prepare(QStringLiteral("SELECT question, answer FROM answer WHERE attempt_id = ?"));
    q.addBindValue(attemptId);
    if (!q.exec())
        return SqlFailure(q);
    while (q.next()) {
        const int position = q.value(0).toInt();
        if (position >= 0 && size_t(position) < s.m_answers.size())
            s.m_answers[size_t(position)] = q.value(1).toString().toStdString();
    }
    if (!s.m_items.empty())
        s.m_current = std::clamp(s.m_current, 0, int(s.m_items.size()) - 1);
    return s;
}

int ReviewSession::hits() const
{
    int n = 0;
    for (size_t i = 0; i < m_items.size(); ++i)
        n += m_items[i].keyLine == m_answers[i] ? 1 : 0;
    return n;
}

ReviewSession::Status ReviewSession::answer(int position, const std::string& answer)
{
    if (position < 0 || size_t(position) >= m_answers.size() || m_finished)
        return Status::Fail(NotebookCode::NotFound);
    m_answers[size_t(position)] = answer;
    m_current = position;
    const auto stored = m_notebook->store().recordAnswer(m_attemptId, position, answer, position, hits());
    return stored ? Status::Ok() : Status::Fail(NotebookCode::StoreFailed, stored.detail());
}

ReviewSession::Status ReviewSession::saveProgress(qint64 elapsedSeconds, int current)
{
    m_elapsed = elapsedSeconds;
    m_current = current;
    const auto stored = m_notebook->store().recordProgress(m_attemptId, elapsedSeconds, current);
    return stored ? Status::Ok() : Status::Fail(NotebookCode::StoreFailed, stored.detail());
}

ResultOf<std::vector<Outcome>, NotebookCode> ReviewSession::finish(qint64 elapsedSeconds)
{
    using Outcomes = ResultOf<std::vector<Outcome>, NotebookCode>;
    if (m_finished)
        return Outcomes::Fail(NotebookCode::NotFound, "already finished");
    std::vector<Outcome> outcomes;
    for (size_t i = 0; i < m_items.size(); ++i) {
        outcomes.push_back(OutcomeRules::Judge(m_items[i].keyLine, m_answers[i], false, false));
    }
    // The session is marked finished first: a failure half way leaves a
    // finished session and the schedules already moved, never a session that
    // would move them twice when resumed.
    if (const auto stored = m_notebook->store().finish(m_attemptId, elapsedSeconds, hits()); !stored)
        return Outcomes::Fail(NotebookCode::StoreFailed, stored.detail());
    m_finished = true;
    m_elapsed = elapsedSeconds;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (const auto s = m_notebook->applyReview(m_items[i].id, outcomes[i]); !s)
            return s;
    return outcomes;
}

} // namespace zelvora::notebook
