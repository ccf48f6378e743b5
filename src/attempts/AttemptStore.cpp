#include "attempts/AttemptStore.h"

#include "attempts/QuestionStore.h"
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

#include <algorithm>
#include <iterator>

namespace zelvora::attempts {

namespace {

// SQLite's primary result codes that the store tells apart.
enum SqliteCode {
    Busy = 5,
    Locked = 6,
    ReadOnly = 8,
    IoError = 10,
    Corrupt = 11,
    Full = 13,
    CantOpen = 14,
    NotADatabase = 26,
};

int PrimaryCode(const QSqlError& e)
{
    bool ok = false;
    const int code = e.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xff) : -1;
}

bool IsDamage(const QSqlError& e)
{
    const int code = PrimaryCode(e);
    return code == Corrupt || code == NotADatabase;
}

StoreError CodeOf(const QSqlError& e)
{
    switch (PrimaryCode(e)) {
    case Busy:
    case Locked:
        return StoreError::InUse;
    case ReadOnly:
    case CantOpen:
        return StoreError::CannotWrite;
    case Full:
        return StoreError::DiskFull;
    case IoError:
        return StoreError::DiskIo;
    case Corrupt:
    case NotADatabase:
        return StoreError::Damaged;
    default:
        return StoreError::Failed;
    }
}

StoreResult Failure(const QSqlError& e)
{
    const QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return StoreResult::Fail(CodeOf(e), QStringLiteral("%1 (SQLite %2)").arg(text, e.nativeErrorCode()).toStdString());
}

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

// The first version of the file: the attempts and their answers.
const char* const SchemaV1[] = {
    "CREATE TABLE attempt ("
    " id INTEGER PRIMARY KEY,"
    " paper_name TEXT NOT NULL,"
    " pdf_path TEXT NOT NULL,"
    " data_folder TEXT NOT NULL,"
    " key_hash TEXT NOT NULL,"
    " question_count INTEGER NOT NULL,"
    " started_at INTEGER NOT NULL,"
    " ended_at INTEGER,"
    " elapsed_seconds INTEGER NOT NULL DEFAULT 0,"
    " current_question INTEGER NOT NULL DEFAULT 0,"
    " answered INTEGER NOT NULL DEFAULT 0,"
    " hits INTEGER NOT NULL DEFAULT 0,"
    " finished INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE answer ("
    " attempt_id INTEGER NOT NULL REFERENCES attempt(id) ON DELETE CASCADE,"
    " question INTEGER NOT NULL,"
    " answer TEXT NOT NULL,"
    " PRIMARY KEY (attempt_id, question)) WITHOUT ROWID",
};

// Version 2: when the clock was last written, and an index for finding a
// paper's interrupted attempt.
const char* const MigrateToV2[] = {
    "ALTER TABLE attempt ADD COLUMN saved_at INTEGER",
    "UPDATE attempt SET saved_at = COALESCE(ended_at, started_at)",
    "CREATE INDEX attempt_paper ON attempt (pdf_path, data_folder, key_hash, finished)",
};

// Version 4: the answer keys a paper's attempts were scored under. A new key
// gives the paper a new identity; each attempt re-scored under it keeps a
// row with its score before and after, so the history stays one series
// and shows what the new key changed.
const char* const MigrateToV4[] = {
    "CREATE TABLE IF NOT EXISTS key_revision ("
    " id INTEGER PRIMARY KEY,"
    " attempt_id INTEGER NOT NULL REFERENCES attempt(id) ON DELETE CASCADE,"
    " old_key_hash TEXT NOT NULL,"
    " new_key_hash TEXT NOT NULL,"
    " hits_before INTEGER NOT NULL,"
    " hits_after INTEGER NOT NULL,"
    " questions_before INTEGER NOT NULL,"
    " questions_after INTEGER NOT NULL,"
    " revised_at INTEGER NOT NULL)",
    "CREATE INDEX IF NOT EXISTS key_revision_attempt ON key_revision (attempt_id)",
};

// Version 6: the mistakes notebook. Attempts get a kind (0 a paper, 1 a
// review session over notebook questions, never part of a paper's history)
// and a mark once the notebook has folded them in; the notebook's questions,
// the questions of each review session and each attempt's hits per subject.
const char* const MigrateToV6[] = {
    "ALTER TABLE attempt ADD COLUMN kind INTEGER NOT NULL DEFAULT 0",
    "ALTER TABLE attempt ADD COLUMN noted INTEGER NOT NULL DEFAULT 0",
    "CREATE INDEX attempt_unnoted ON attempt (noted, finished, kind) WHERE noted = 0",
    "CREATE TABLE notebook_item ("
    " id INTEGER PRIMARY KEY,"
    " pdf_path TEXT NOT NULL,"
    " data_folder TEXT NOT NULL,"
    " key_hash TEXT NOT NULL,"
    " question INTEGER NOT NULL,"
    " paper_name TEXT NOT NULL,"
    " board TEXT NOT NULL DEFAULT '',"
    " year TEXT NOT NULL DEFAULT '',"
    " subject TEXT NOT NULL DEFAULT '',"
    " key_line TEXT NOT NULL DEFAULT '',"
    " right_wrong INTEGER NOT NULL DEFAULT 0,"
    " status INTEGER NOT NULL,"
    " missed INTEGER NOT NULL DEFAULT 0,"
    " last_seen INTEGER NOT NULL,"
    " last_attempt INTEGER,"
    " note TEXT NOT NULL DEFAULT '',"
    " ease REAL NOT NULL DEFAULT 2.5,"
    " interval_days INTEGER NOT NULL DEFAULT 0,"
    " repetitions INTEGER NOT NULL DEFAULT 0,"
    " lapses INTEGER NOT NULL DEFAULT 0,"
    " due_day INTEGER NOT NULL DEFAULT 0,"
    " mastered INTEGER NOT NULL DEFAULT 0,"
    " leech INTEGER NOT NULL DEFAULT 0,"
    " active INTEGER NOT NULL DEFAULT 1,"
    " UNIQUE (pdf_path, data_folder, key_hash, question))",
    "CREATE INDEX notebook_item_due ON notebook_item (active, due_day)",
    "CREATE TABLE review_question ("
    " attempt_id INTEGER NOT NULL REFERENCES attempt(id) ON DELETE CASCADE,"
    " position INTEGER NOT NULL,"
    " item_id INTEGER NOT NULL,"
    " PRIMARY KEY (attempt_id, position)) WITHOUT ROWID",
    "CREATE TABLE attempt_subject ("
    " attempt_id INTEGER NOT NULL REFERENCES attempt(id) ON DELETE CASCADE,"
    " subject TEXT NOT NULL,"
    " hits INTEGER NOT NULL,"
    " total INTEGER NOT NULL,"
    " PRIMARY KEY (attempt_id, subject)) WITHOUT ROWID",
};

// The answered count comes from the answer rows, whatever the row says.
const QString AttemptColumns = QStringLiteral(
    "id, paper_name, pdf_path, data_folder, key_hash, question_count, started_at, ended_at,"
    " elapsed_seconds, current_question,"
    " (SELECT count(*) FROM answer WHERE answer.attempt_id = attempt.id), hits, finished, saved_at");

// The columns each version's tables must have.
const char* const AttemptColumnsV1[] = {
    "id",       "paper_name",      "pdf_path",         "data_folder", "key_hash", "question_count", "started_at",
    "ended_at", "elapsed_seconds", "current_question", "answered",    "hits",     "finished"};
const char* const AnswerColumnsV1[] = {"attempt_id", "question", "answer"};
const char* const AttemptColumnsV6[] = {"kind", "noted"};
const char* const NotebookItemColumnsV6[] = {
    "id",      "pdf_path",      "data_folder", "key_hash", "question", "paper_name", "board",        "year",
    "subject", "key_line",      "right_wrong", "status",   "missed",   "last_seen",  "last_attempt", "note",
    "ease",    "interval_days", "repetitions", "lapses",   "due_day",  "mastered",   "leech",        "active"};
const char* const ReviewQuestionColumnsV6[] = {"attempt_id", "position", "item_id"};
const char* const AttemptSubjectColumnsV6[] = {"attempt_id", "subject", "hits", "total"};

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

namespace {

// The version a newer program may have left in the log: read through a
// read-only connection, which never checkpoints nor changes the file.
std::optional<int> VersionThroughLog(const QString& path, int busyTimeoutMs)
{
    const QString name = QStringLiteral("zelvora-probe-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    std::optional<int> version;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("PRAGMA user_version")) && q.next())
                version = q.value(0).toInt();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return version;
}

} // namespace

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
                const auto logged = VersionThroughLog(m_path, m_busyTimeoutMs);
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
                const StoreResult failure = Failure(db.lastError());
                close();
                return failure;
            }
        }
        m_open = true;
        // The version first: a newer file must not even get its journal mode
        // switched. A file that is no database shows it at this first read;
        // a damaged one at the integrity check; one without the tables its
        // version promises at the schema check. All three only read, so a
        // file put aside keeps its bytes.
        bool damaged = false;
        int version = -1;
        {
            QSqlQuery q(QSqlDatabase::database(m_connection, false));
            if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
                if (!IsDamage(q.lastError()))
                    return Failure(q.lastError());
                damaged = true;
            } else {
                version = q.value(0).toInt();
                q.finish();
                if (version > SchemaVersion)
                    return StoreResult::Fail(StoreError::NewerVersion, std::to_string(version));
                if (version < 0)
                    return StoreResult::Fail(StoreError::VersionUnreadable, std::to_string(version));
                if (!q.exec(QStringLiteral("PRAGMA quick_check"))) {
                    if (!IsDamage(q.lastError()))
                        return Failure(q.lastError());
                    damaged = true;
                } else {
                    damaged = !q.next() || q.value(0).toString() != QLatin1String("ok");
                }
                q.finish();
            }
        }
        if (!damaged && !schemaFits(version))
            damaged = true;
        if (damaged) {
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
            r = prepareSchema(version);
        if (!r)
            return r;
        checkAnswerCounts();
        return StoreResult::Ok();
    }
    return StoreResult::Fail(StoreError::Damaged);
}

bool AttemptStore::schemaFits(int version)
{
    const auto columns = [this](const QString& table) {
        QStringList names;
        QSqlQuery q(QSqlDatabase::database(m_connection, false));
        if (q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table)))
            while (q.next())
                names << q.value(1).toString();
        return names;
    };
    const auto hasAll = [](const QStringList& names, const auto& wanted) {
        return std::all_of(std::begin(wanted), std::end(wanted),
                           [&](const char* c) { return names.contains(QLatin1String(c)); });
    };
    const QStringList attempt = columns(QStringLiteral("attempt"));
    const QStringList answer = columns(QStringLiteral("answer"));
    if (version == 0)
        return attempt.isEmpty() && answer.isEmpty(); // a new file, or one that lost its version
    if (!hasAll(attempt, AttemptColumnsV1) || !hasAll(answer, AnswerColumnsV1))
        return false;
    if (version >= 2 && !attempt.contains(QStringLiteral("saved_at")))
        return false;
    if (version >= 4 && columns(QStringLiteral("key_revision")).isEmpty())
        return false;
    if (version >= 5) {
        if (!attempt.contains(QStringLiteral("paper_hash")))
            return false;
        for (const char* table : QuestionStore::Tables)
            if (columns(QLatin1String(table)).isEmpty())
                return false;
    }
    if (version >= 6) {
        const auto hasTable = [&](const char* table, const auto& wanted) {
            return hasAll(columns(QLatin1String(table)), wanted);
        };
        if (!hasAll(attempt, AttemptColumnsV6) || !hasTable("notebook_item", NotebookItemColumnsV6)
            || !hasTable("review_question", ReviewQuestionColumnsV6)
            || !hasTable("attempt_subject", AttemptSubjectColumnsV6))
            return false;
    }
    return true;
}

void AttemptStore::checkAnswerCounts()
{
    // Every answer is written with its row's count in one transaction, so a
    // row promising more answers than remain means some were lost (a damaged
    // log, an older program that went on after a failed write). Said once:
    // the rows are brought in line with what is there.
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    const QString rows = QStringLiteral("(SELECT count(*) FROM answer WHERE answer.attempt_id = attempt.id)");
    if (q.exec(QStringLiteral("SELECT count(*) FROM attempt WHERE answered > ") + rows) && q.next())
        m_shortAttempts = q.value(0).toInt();
    q.finish();
    if (m_shortAttempts > 0)
        exec(QStringLiteral("UPDATE attempt SET answered = ") + rows + QStringLiteral(" WHERE answered > ") + rows);
}

StoreResult AttemptStore::setAside()
{
    close();
    const QString stamp = now().toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = m_path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = m_path + QStringLiteral(".damaged-") + stamp + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(m_path, target))
        return StoreResult::Fail(StoreError::Damaged, QDir::toNativeSeparators(m_path).toStdString());
    // The journal files belong to the damaged file; they go with it.
    for (const char* suffix : {"-wal", "-shm"}) {
        const QString side = m_path + QLatin1String(suffix);
        if (QFileInfo::exists(side))
            QFile::rename(side, target + QLatin1String(suffix));
    }
    m_setAside = target;
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
    return Failure(e);
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

StoreResult AttemptStore::prepareSchema(int version)
{
    if (version == SchemaVersion)
        return StoreResult::Ok();
    if (StoreResult r = exec(QStringLiteral("BEGIN IMMEDIATE")); !r)
        return r;
    StoreResult r;
    if (version == 0) {
        for (const char* sql : SchemaV1)
            if (r)
                r = exec(QString::fromLatin1(sql));
        if (r)
            r = exec(QStringLiteral("PRAGMA user_version=1"));
    }
    if (r)
        r = migrate(version == 0 ? 1 : version);
    if (r)
        r = exec(QStringLiteral("COMMIT"));
    if (!r)
        exec(QStringLiteral("ROLLBACK"));
    return r;
}

StoreResult AttemptStore::migrate(int from)
{
    // Each step is additive and runs once, for a file older than its
    // version, inside the caller's transaction, so a failed step leaves the
    // file as it was.
    const auto run = [this](const auto& statements) {
        for (const char* sql : statements) {
            if (StoreResult r = exec(QString::fromLatin1(sql)); !r)
                return r;
        }
        return StoreResult::Ok();
    };
    if (from < 2) {
        if (StoreResult r = run(MigrateToV2); !r)
            return r;
    }
    if (from < 4) {
        if (StoreResult r = run(MigrateToV4); !r)
            return r;
    }
    if (from < 5) {
        // Version 5: question maps, the user's places, notes, time per
        // question and guess marks.
        if (StoreResult r = run(QuestionStore::Schema()); !r)
            return r;
    }
    if (from < 6) {
        if (StoreResult r = run(MigrateToV6); !r)
            return r;
    }
    return exec(QStringLiteral("PRAGMA user_version=%1").arg(SchemaVersion));
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
