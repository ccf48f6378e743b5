#include "attempts/QuestionStore.h"

#include "attempts/AttemptStore.h"
#include "attempts/SqlFailure.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace zelvora::attempts {

namespace {

constexpr int Found = 0;
constexpr int Corrected = 1;

} // namespace

QuestionStore::QuestionStore(AttemptStore& store) : m_store(store)
{
}

std::vector<const char*> QuestionStore::Schema()
{
    return {
        "CREATE TABLE paper_map ("
        " paper_hash TEXT PRIMARY KEY,"
        " mapped_at INTEGER NOT NULL DEFAULT 0)",
        "CREATE TABLE question_place ("
        " paper_hash TEXT NOT NULL,"
        " number INTEGER NOT NULL,"
        " corrected INTEGER NOT NULL,"
        " page INTEGER NOT NULL,"
        " y REAL NOT NULL,"
        " PRIMARY KEY (paper_hash, corrected, number)) WITHOUT ROWID",
        "CREATE TABLE question_note ("
        " paper_hash TEXT NOT NULL,"
        " number INTEGER NOT NULL,"
        " note TEXT NOT NULL,"
        " PRIMARY KEY (paper_hash, number)) WITHOUT ROWID",
        "CREATE TABLE question_time ("
        " attempt_id INTEGER NOT NULL REFERENCES attempt(id) ON DELETE CASCADE,"
        " question INTEGER NOT NULL,"
        " seconds INTEGER NOT NULL,"
        " PRIMARY KEY (attempt_id, question)) WITHOUT ROWID",
        "CREATE TABLE question_guess ("
        " attempt_id INTEGER NOT NULL REFERENCES attempt(id) ON DELETE CASCADE,"
        " question INTEGER NOT NULL,"
        " PRIMARY KEY (attempt_id, question)) WITHOUT ROWID",
        "ALTER TABLE attempt ADD COLUMN paper_hash TEXT",
    };
}

StoreResult QuestionStore::run(const QString& sql, const QVariantList& values)
{
    if (!m_store.isOpen())
        return StoreResult::Fail(StoreError::NotOpen);
    QSqlQuery q(QSqlDatabase::database(m_store.connectionName(), false));
    q.prepare(sql);
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        return SqlFailure::Of(q.lastError());
    return StoreResult::Ok();
}

StoreResult QuestionStore::saveFound(const QString& paperHash, const std::vector<mockexam::QuestionPlace>& places)
{
    if (!m_store.isOpen())
        return StoreResult::Fail(StoreError::NotOpen);
    QSqlDatabase db = QSqlDatabase::database(m_store.connectionName(), false);
    if (!db.transaction())
        return SqlFailure::Of(db.lastError());
    StoreResult r = run(QStringLiteral("DELETE FROM question_place WHERE paper_hash = ? AND corrected = ?"),
                        {paperHash, Found});
    if (r)
        r = run(QStringLiteral("INSERT INTO paper_map (paper_hash, mapped_at) VALUES (?, strftime('%s','now'))"
                               " ON CONFLICT (paper_hash) DO UPDATE SET mapped_at = excluded.mapped_at"),
                {paperHash});
    for (const auto& p : places) {
        if (r)
            r = run(QStringLiteral("INSERT OR REPLACE INTO question_place (paper_hash, number, corrected, page, y)"
                                   " VALUES (?, ?, ?, ?, ?)"),
                    {paperHash, p.number, Found, p.page, p.y});
    }
    return commitOrRollBack(db, std::move(r));
}

StoreResult QuestionStore::saveCorrection(const QString& paperHash, const mockexam::QuestionPlace& place)
{
    return run(QStringLiteral("INSERT OR REPLACE INTO question_place (paper_hash, number, corrected, page, y)"
                              " VALUES (?, ?, ?, ?, ?)"),
               {paperHash, place.number, Corrected, place.page, place.y});
}

std::optional<mockexam::QuestionMap> QuestionStore::loadMap(const QString& paperHash)
{
    if (!m_store.isOpen())
        return std::nullopt;
    QSqlQuery q(QSqlDatabase::database(m_store.connectionName(), false));
    q.prepare(QStringLiteral("SELECT 1 FROM paper_map WHERE paper_hash = ?"));
    q.addBindValue(paperHash);
    if (!q.exec())
        return std::nullopt;
    const bool mapped = q.next();
    q.prepare(QStringLiteral("SELECT number, corrected, page, y FROM question_place WHERE paper_hash = ?"));
    q.addBindValue(paperHash);
    if (!q.exec())
        return std::nullopt;
    std::vector<mockexam::QuestionPlace> found, corrected;
    while (q.next()) {
        const mockexam::QuestionPlace p{q.value(0).toInt(), q.value(2).toInt(), q.value(3).toDouble()};
        (q.value(1).toInt() == Corrected ? corrected : found).push_back(p);
    }
    if (!mapped && corrected.empty())
        return std::nullopt;
    return mockexam::QuestionMap(std::move(found), std::move(corrected));
}

bool QuestionStore::isMapped(const QString& paperHash)
{
    if (!m_store.isOpen())
        return false;
    QSqlQuery q(QSqlDatabase::database(m_store.connectionName(), false));
    q.prepare(QStringLiteral("SELECT 1 FROM paper_map WHERE paper_hash = ?"));
    q.addBindValue(paperHash);
    return q.exec() && q.next();
}

std::optional<mockexam::QuestionPlace> QuestionStore::placeOf(const QString& paperHash, int number)
{
    const auto map = loadMap(paperHash);
    return map ? map->placeOf(number) : std::nullopt;
}

StoreResult QuestionStore::saveNote(const QString& paperHash, int number, const QString& note)
{
    const QString text = note.trimmed();
    if (text.isEmpty())
        return run(QStringLiteral("DELETE FROM question_note WHERE paper_hash = ? AND number = ?"),
                   {paperHash, number});
    return run(QStringLiteral("INSERT OR REPLACE INTO question_note (paper_hash, number, note) VALUES (?, ?, ?)"),
               {paperHash, number, text});
}

std::map<int, QString> QuestionStore::notes(const QString& paperHash)
{
    std::map<int, QString> out;
    if (!m_store.isOpen())
        return out;
    QSqlQuery q(QSqlDatabase::database(m_store.connectionName(), false));
    q.prepare(QStringLiteral("SELECT number, note FROM question_note WHERE paper_hash = ? ORDER BY number"));
    q.addBindValue(paperHash);
    if (q.exec()) {
        while (q.next())
            out[q.value(0).toInt()] = q.value(1).toString();
    }
    return out;
}

StoreResult QuestionStore::setAttemptPaper(qint64 attemptId, const QString& paperHash)
{
    return run(QStringLiteral("UPDATE attempt SET paper_hash = ? WHERE id = ?"), {paperHash, attemptId});
}

QString QuestionStore::attemptPaper(qint64 attemptId)
{
    if (!m_store.isOpen())
        return {};
    QSqlQuery q(QSqlDatabase::database(m_store.connectionName(), false));
    q.prepare(QStringLiteral("SELECT paper_hash FROM attempt WHERE id = ?"));
    q.addBindValue(attemptId);
    if (!q.exec() || !q.next())
        return {};
    return q.value(0).toString();
}

std::map<int, QString> QuestionStore::notesOfAttempt(qint64 attemptId)
{
    const QString paper = attemptPaper(attemptId);
    return paper.isEmpty() ? std::map<int, QString>{} : notes(paper);
}

StoreResult QuestionStore::saveSeconds(qint64 attemptId, const std::vector<qint64>& seconds)
{
    if (!m_store.isOpen())
        return StoreResult::Fail(StoreError::NotOpen);
    QSqlDatabase db = QSqlDatabase::database(m_store.connectionName(), false);
    if (!db.transaction())
        return SqlFailure::Of(db.lastError());
    StoreResult r = run(QStringLiteral("DELETE FROM question_time WHERE attempt_id = ?"), {attemptId});
    // An attempt deleted meanwhile takes no times.
    if (r) {
        QSqlQuery q(db);
        q.prepare(QStringLiteral("SELECT 1 FROM attempt WHERE id = ?"));
        q.addBindValue(attemptId);
        if (!q.exec() || !q.next()) {
            const QSqlError e = q.lastError();
            q.finish();
            db.rollback();
            return e.type() == QSqlError::NoError ? StoreResult::Ok() : SqlFailure::Of(e);
        }
    }
    for (std::size_t i = 0; i < seconds.size() && r; ++i) {
        if (seconds[i] > 0)
            r = run(QStringLiteral("INSERT INTO question_time (attempt_id, question, seconds) VALUES (?, ?, ?)"),
                    {attemptId, int(i), seconds[i]});
    }
    // A marker row (question -1) says the attempt kept times, even all zero.
    if (r)
        r = run(QStringLiteral("INSERT INTO question_time (attempt_id, question, seconds) VALUES (?, -1, 0)"),
                {attemptId});
    return commitOrRollBack(db, std::move(r));
}

StoreResult QuestionStore::commitOrRollBack(QSqlDatabase& db, StoreResult result)
{
    if (result && !db.commit())
        result = SqlFailure::Of(db.lastError());
    if (!result)
        db.rollback();
    return result;
}

std::vector<qint64> QuestionStore::seconds(qint64 attemptId, int questionCount)
{
    std::vector<qint64> out;
    if (!m_store.isOpen() || questionCount <= 0)
        return out;
    QSqlQuery q(QSqlDatabase::database(m_store.connectionName(), false));
    q.prepare(QStringLiteral("SELECT question, seconds FROM question_time WHERE attempt_id = ?"));
    q.addBindValue(attemptId);
    if (!q.exec())
        return out;
    bool kept = false;
    std::vector<qint64> values(std::size_t(questionCount), 0);
    while (q.next()) {
        kept = true;
        const int question = q.value(0).toInt();
        if (question >= 0 && question < questionCount)
            values[std::size_t(question)] = q.value(1).toLongLong();
    }
    if (kept)
        out = std::move(values);
    return out;
}

StoreResult QuestionStore::setGuess(qint64 attemptId, int question, bool guess)
{
    if (guess)
        return run(QStringLiteral("INSERT OR IGNORE INTO question_guess (attempt_id, question)"
                                  " SELECT id, ? FROM attempt WHERE id = ?"),
                   {question, attemptId});
    return run(QStringLiteral("DELETE FROM question_guess WHERE attempt_id = ? AND question = ?"),
               {attemptId, question});
}

std::vector<bool> QuestionStore::guesses(qint64 attemptId, int questionCount)
{
    std::vector<bool> out(std::size_t(std::max(0, questionCount)), false);
    if (!m_store.isOpen())
        return out;
    QSqlQuery q(QSqlDatabase::database(m_store.connectionName(), false));
    q.prepare(QStringLiteral("SELECT question FROM question_guess WHERE attempt_id = ?"));
    q.addBindValue(attemptId);
    if (q.exec()) {
        while (q.next()) {
            const int question = q.value(0).toInt();
            if (question >= 0 && question < questionCount)
                out[std::size_t(question)] = true;
        }
    }
    return out;
}

} // namespace zelvora::attempts
