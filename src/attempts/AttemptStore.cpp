#include "attempts/AttemptStore.h"

#include "attempts/SqlFailure.h"
#include "attempts/StoreFileHeader.h"
#include "attempts/WalCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTimeZone>
#include <QUuid>
#include <QVariant>

namespace zelvora::attempts {

namespace {

qint64 ToStored(const QDateTime& t)
{
    return t.isValid() ? t.toMSecsSinceEpoch() : 0;
}

QDateTime FromStored(const QVariant& v)
{
    if (v.isNull())
        return {};
    return QDateTime::fromMSecsSinceEpoch(v.toLongLong(), Qt::UTC);
}

// The answered count comes from the answer rows, whatever the row says.
const QString AttemptColumns = QStringLiteral(
    "id, paper_name, pdf_path, data_folder, key_hash, question_count, started_at, ended_at,"
    " elapsed_seconds, current_question,"
    " (SELECT count(*) FROM answer WHERE answer.attempt_id = attempt.id), hits, finished, saved_at");

Attempt ReadAttempt(const QSqlQuery& q)
{
    Attempt a;
    a.id = q.value(0).toLongLong();
    a.paperName = q.value(1).toString();
    a.paper.pdfPath = q.value(2).toString();
    a.paper.dataFolder = q.value(3).toString();
    a.paper.keyHash = q.value(4).toString();
    a.questionCount = q.value(5).toInt();
    a.startedAt = FromStored(q.value(6));
    a.endedAt = FromStored(q.value(7));
    a.elapsedSeconds = q.value(8).toLongLong();
    a.currentQuestion = q.value(9).toInt();
    a.answered = q.value(10).toInt();
    a.hits = q.value(11).toInt();
    a.finished = q.value(12).toInt() != 0;
    a.savedAt = FromStored(q.value(13));
    return a;
}

} // namespace

QString AttemptStore::DefaultPath()
{
    // The program's own folder under the user's data location
    // (~/.local/share/zelvora), whatever the application's display name.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zelvora/")
        + QLatin1String(FileName);
}

AttemptStore::AttemptStore(QString path, std::function<QDateTime()> now)
    : m_path(std::move(path))
    , m_connection(QStringLiteral("zelvora-attempts-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
    , m_now(std::move(now))
{
}

AttemptStore::~AttemptStore()
{
    close();
}

QDateTime AttemptStore::now() const
{
    return m_now ? m_now() : QDateTime::currentDateTimeUtc();
}

QString AttemptStore::claimFolder() const
{
    return QFileInfo(m_path).absolutePath() + QStringLiteral("/attempt-claims");
}

void AttemptStore::close()
{
    if (QSqlDatabase::contains(m_connection)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connection, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
    }
    m_open = false;
}

StoreResult AttemptStore::open()
{
    close();
    m_setAside.clear();
    m_lostCommits = 0;
    m_shortAttempts = 0;
    m_status = [&]() -> StoreResult {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
            return StoreResult::Fail(StoreError::DriverMissing, "QSQLITE");
        const QFileInfo file(m_path);
        if (!QDir().mkpath(file.absolutePath()))
            return StoreResult::Fail(StoreError::FolderNotCreatable,
                                     QDir::toNativeSeparators(file.absolutePath()).toStdString());
        if (file.exists() && !file.isFile())
            return StoreResult::Fail(StoreError::NotAFile, QDir::toNativeSeparators(m_path).toStdString());
        if (file.exists()) {
            // A newer program's file is recognised before any connection
            // that may write (journal mode, change counter) touches it.
            const auto header = StoreFileHeader::Read(QFile::encodeName(m_path).toStdString());
            if (header && header->userVersion > SchemaVersion)
                return StoreResult::Fail(StoreError::NewerVersion, std::to_string(header->userVersion));
            const QString wal = m_path + QStringLiteral("-wal");
            if (QFileInfo(wal).size() > 0) {
                m_lostCommits = WalCheck::LostCommits(QFile::encodeName(wal).toStdString());
                const auto logged = StoreSchema::VersionInLog(m_path, m_busyTimeoutMs);
                if (logged && *logged > SchemaVersion)
                    return StoreResult::Fail(StoreError::NewerVersion, std::to_string(*logged));
            }
        }
        return openFile();
    }();
    if (!m_status)
        close();
    return m_status;
}

StoreResult AttemptStore::openFile()
{
    for (int round = 0; round < 2; ++round) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
            db.setDatabaseName(m_path);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busyTimeoutMs));
            if (!db.open()) {
                const StoreResult failure = SqlFailure::Of(db.lastError());
                close();
                return failure;
            }
        }
        m_open = true;
        StoreSchema schema(m_connection);
        const auto found = schema.inspect();
        if (!found)
            return found.status();
        if (found->damaged) {
            if (round > 0)
                return StoreResult::Fail(StoreError::Damaged, QDir::toNativeSeparators(m_path).toStdString());
            if (StoreResult r = setAside(); !r)
                return r;
            continue;
        }
        if (StoreResult r = exec(QStringLiteral("PRAGMA journal_mode=WAL")); !r)
            return r;
        StoreResult r = exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
        if (r)
            r = exec(QStringLiteral("PRAGMA foreign_keys=ON"));
        if (r)
            r = schema.prepare(found->version);
        if (!r)
            return r;
        m_shortAttempts = schema.repairAnswerCounts();
        return StoreResult::Ok();
    }
    return StoreResult::Fail(StoreError::Damaged);
}

StoreResult AttemptStore::setAside()
{
    close();
    const auto target = StoreSchema::SetAside(m_path, now());
    if (!target)
        return target.status();
    m_setAside = target.value();
    m_lostCommits = 0; // the log went with the old file
    return StoreResult::Ok();
}

StoreResult AttemptStore::exec(const QString& sql)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(sql))
        return fail(q.lastError());
    return StoreResult::Ok();
}

StoreResult AttemptStore::fail(const QSqlError& e)
{
    return SqlFailure::Of(e);
}

int AttemptStore::userVersion()
{
    if (!m_open)
        return -1;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return -1;
    return q.value(0).toInt();
}

StoreResultOf<qint64> AttemptStore::begin(const PaperIdentity& paper, const QString& paperName, int questionCount)
{
    if (!m_open)
        return StoreResult::Fail(StoreError::NotOpen);
    const qint64 t = ToStored(now());
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("INSERT INTO attempt (paper_name, pdf_path, data_folder, key_hash, question_count,"
                             " started_at, saved_at) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    q.addBindValue(paperName);
    q.addBindValue(paper.pdfPath);
    q.addBindValue(paper.dataFolder);
    q.addBindValue(paper.keyHash);
    q.addBindValue(questionCount);
    q.addBindValue(t);
    q.addBindValue(t);
    if (!q.exec())
        return fail(q.lastError());
    return q.lastInsertId().toLongLong();
}

StoreResult AttemptStore::recordAnswers(qint64 id, const std::vector<std::pair<int, std::string>>& answers,
                                        int currentQuestion, int hits)
{
    if (!m_open)
        return StoreResult::Fail(StoreError::NotOpen);
    // The transaction through statements, so a failing COMMIT (a full disk)
    // comes back with SQLite's own code.
    if (StoreResult r = exec(QStringLiteral("BEGIN IMMEDIATE")); !r)
        return r;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    const auto failed = [&](const QSqlError& e) {
        const StoreResult r = fail(e);
        q.finish();
        exec(QStringLiteral("ROLLBACK"));
        return r;
    };
    q.prepare(QStringLiteral("UPDATE attempt SET current_question = ?, hits = ? WHERE id = ?"));
    q.addBindValue(currentQuestion);
    q.addBindValue(hits);
    q.addBindValue(id);
    if (!q.exec())
        return failed(q.lastError());
    if (q.numRowsAffected() == 0) {
        // The attempt was deleted from the history meanwhile: nothing to keep.
        q.finish();
        exec(QStringLiteral("ROLLBACK"));
        return StoreResult::Ok();
    }
    for (const auto& [question, answer] : answers) {
        if (answer == "#") {
            q.prepare(QStringLiteral("DELETE FROM answer WHERE attempt_id = ? AND question = ?"));
            q.addBindValue(id);
            q.addBindValue(question);
        } else {
            q.prepare(QStringLiteral("INSERT INTO answer (attempt_id, question, answer) VALUES (?, ?, ?)"
                                     " ON CONFLICT (attempt_id, question) DO UPDATE SET answer = excluded.answer"));
            q.addBindValue(id);
            q.addBindValue(question);
            q.addBindValue(QString::fromStdString(answer));
        }
        if (!q.exec())
            return failed(q.lastError());
    }
    // Kept in the row for older programs reading the file; read back from
    // the rows themselves.
    q.prepare(QStringLiteral("UPDATE attempt SET answered = (SELECT count(*) FROM answer WHERE attempt_id = ?)"
                             " WHERE id = ?"));
    q.addBindValue(id);
    q.addBindValue(id);
    if (!q.exec())
        return failed(q.lastError());
    q.finish();
    if (StoreResult r = exec(QStringLiteral("COMMIT")); !r) {
        exec(QStringLiteral("ROLLBACK"));
        return r;
    }
    return StoreResult::Ok();
}

StoreResult AttemptStore::recordProgress(qint64 id, qint64 elapsedSeconds, int currentQuestion)
{
    if (!m_open)
        return StoreResult::Fail(StoreError::NotOpen);
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(
        QStringLiteral("UPDATE attempt SET elapsed_seconds = ?, current_question = ?, saved_at = ? WHERE id = ?"));
    q.addBindValue(elapsedSeconds);
    q.addBindValue(currentQuestion);
    q.addBindValue(ToStored(now()));
    q.addBindValue(id);
    if (!q.exec())
        return fail(q.lastError());
    return StoreResult::Ok();
}

StoreResult AttemptStore::finish(qint64 id, qint64 elapsedSeconds, int hits)
{
    if (!m_open)
        return StoreResult::Fail(StoreError::NotOpen);
    const qint64 t = ToStored(now());
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("UPDATE attempt SET finished = 1, ended_at = ?, saved_at = ?, elapsed_seconds = ?,"
                             " answered = (SELECT count(*) FROM answer WHERE attempt_id = attempt.id), hits = ?"
                             " WHERE id = ?"));
    q.addBindValue(t);
    q.addBindValue(t);
    q.addBindValue(elapsedSeconds);
    q.addBindValue(hits);
    q.addBindValue(id);
    // An attempt deleted from the history meanwhile leaves nothing to mark.
    if (!q.exec())
        return fail(q.lastError());
    if (onFinished)
        onFinished(id);
    return StoreResult::Ok();
}

StoreResult AttemptStore::remove(qint64 id)
{
    if (!m_open)
        return StoreResult::Fail(StoreError::NotOpen);
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("DELETE FROM attempt WHERE id = ?"));
    q.addBindValue(id);
    if (!q.exec())
        return fail(q.lastError());
    return StoreResult::Ok();
}

StoreResultOf<std::optional<Attempt>> AttemptStore::load(qint64 id)
{
    if (!m_open)
        return StoreResult::Fail(StoreError::NotOpen);
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT ") + AttemptColumns + QStringLiteral(" FROM attempt WHERE id = ?"));
    q.addBindValue(id);
    if (!q.exec())
        return fail(q.lastError());
    if (!q.next())
        return std::optional<Attempt>();
    Attempt a = ReadAttempt(q);
    a.answers.assign(size_t(qMax(0, a.questionCount)), "#");
    q.prepare(QStringLiteral("SELECT question, answer FROM answer WHERE attempt_id = ?"));
    q.addBindValue(id);
    if (!q.exec())
        return fail(q.lastError());
    while (q.next()) {
        const int question = q.value(0).toInt();
        if (question >= 0 && question < a.questionCount)
            a.answers[size_t(question)] = q.value(1).toString().toStdString();
    }
    if (a.questionCount > 0)
        a.currentQuestion = qBound(0, a.currentQuestion, a.questionCount - 1);
    return std::optional<Attempt>(std::move(a));
}

StoreResultOf<std::optional<Attempt>> AttemptStore::findInterrupted(const PaperIdentity& paper)
{
    if (!m_open)
        return StoreResult::Fail(StoreError::NotOpen);
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("SELECT id FROM attempt WHERE pdf_path = ? AND data_folder = ? AND key_hash = ?"
                             " AND finished = 0 AND kind = 0 AND (elapsed_seconds > 0"
                             " OR EXISTS (SELECT 1 FROM answer WHERE answer.attempt_id = attempt.id))"
                             " ORDER BY started_at DESC, id DESC LIMIT 1"));
    q.addBindValue(paper.pdfPath);
    q.addBindValue(paper.dataFolder);
    q.addBindValue(paper.keyHash);
    if (!q.exec())
        return fail(q.lastError());
    if (!q.next())
        return std::optional<Attempt>();
    const qint64 id = q.value(0).toLongLong();
    q.finish();
    return load(id);
}

StoreResult AttemptStore::backupTo(const QString& path)
{
    if (!m_open)
        return StoreResult::Fail(StoreError::NotOpen);
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("VACUUM INTO ?"));
    q.addBindValue(path);
    if (!q.exec())
        return fail(q.lastError());
    return StoreResult::Ok();
}

StoreResultOf<int> AttemptStore::addMissing(const std::vector<Attempt>& attempts)
{
    if (!m_open)
        return StoreResult::Fail(StoreError::NotOpen);
    if (StoreResult r = exec(QStringLiteral("BEGIN IMMEDIATE")); !r)
        return r;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    const auto failed = [&](const QSqlError& e) -> StoreResultOf<int> {
        const StoreResult r = fail(e);
        q.finish();
        exec(QStringLiteral("ROLLBACK"));
        return r;
    };
    int added = 0;
    for (const Attempt& a : attempts) {
        q.prepare(QStringLiteral("SELECT 1 FROM attempt WHERE pdf_path = ? AND data_folder = ? AND key_hash = ?"
                                 " AND started_at = ?"));
        q.addBindValue(a.paper.pdfPath);
        q.addBindValue(a.paper.dataFolder);
        q.addBindValue(a.paper.keyHash);
        q.addBindValue(ToStored(a.startedAt));
        if (!q.exec())
            return failed(q.lastError());
        if (q.next())
            continue;
        q.prepare(QStringLiteral("INSERT INTO attempt (paper_name, pdf_path, data_folder, key_hash, question_count,"
                                 " started_at, ended_at, elapsed_seconds, current_question, answered, hits, finished,"
                                 " saved_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        q.addBindValue(a.paperName);
        q.addBindValue(a.paper.pdfPath);
        q.addBindValue(a.paper.dataFolder);
        q.addBindValue(a.paper.keyHash);
        q.addBindValue(a.questionCount);
        q.addBindValue(ToStored(a.startedAt));
        q.addBindValue(a.endedAt.isValid() ? QVariant(ToStored(a.endedAt)) : QVariant());
        q.addBindValue(a.elapsedSeconds);
        q.addBindValue(a.currentQuestion);
        q.addBindValue(a.answered);
        q.addBindValue(a.hits);
        q.addBindValue(a.finished ? 1 : 0);
        q.addBindValue(ToStored(a.savedAt.isValid() ? a.savedAt : a.startedAt));
        if (!q.exec())
            return failed(q.lastError());
        const qint64 id = q.lastInsertId().toLongLong();
        for (size_t question = 0; question < a.answers.size(); ++question) {
            if (a.answers[question] == "#")
                continue;
            q.prepare(QStringLiteral("INSERT INTO answer (attempt_id, question, answer) VALUES (?, ?, ?)"));
            q.addBindValue(id);
            q.addBindValue(int(question));
            q.addBindValue(QString::fromStdString(a.answers[question]));
            if (!q.exec())
                return failed(q.lastError());
        }
        ++added;
    }
    q.finish();
    if (StoreResult r = exec(QStringLiteral("COMMIT")); !r) {
        exec(QStringLiteral("ROLLBACK"));
        return r;
    }
    return added;
}

StoreResultOf<std::vector<Attempt>> AttemptStore::summaries()
{
    if (!m_open)
        return StoreResult::Fail(StoreError::NotOpen);
    std::vector<Attempt> out;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT ") + AttemptColumns
                + QStringLiteral(" FROM attempt WHERE kind = 0 ORDER BY started_at DESC, id DESC")))
        return fail(q.lastError());
    while (q.next())
        out.push_back(ReadAttempt(q));
    return out;
}

} // namespace zelvora::attempts
