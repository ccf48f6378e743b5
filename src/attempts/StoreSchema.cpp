#include "attempts/StoreSchema.h"

#include "attempts/QuestionStore.h"
#include "attempts/SqlFailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>
#include <QVariant>

#include <algorithm>
#include <iterator>
#include <vector>

namespace zelvora::attempts {

namespace {

// Version 1: the attempts and their answers.
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

// The statements that bring a file from version to - 1 to version to. Each
// step stands alone: a new version adds its own case.
std::vector<const char*> StepTo(int to)
{
    switch (to) {
    case 1:
        return {std::begin(SchemaV1), std::end(SchemaV1)};
    case 2:
        return {std::begin(MigrateToV2), std::end(MigrateToV2)};
    case 4:
        return {std::begin(MigrateToV4), std::end(MigrateToV4)};
    case 5:
        // Question maps, the user's places, notes, time per question and
        // guess marks.
        return QuestionStore::Schema();
    case 6:
        return {std::begin(MigrateToV6), std::end(MigrateToV6)};
    default:
        return {}; // version 3 added no table
    }
}

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

} // namespace

StoreSchema::StoreSchema(QString connection) : m_connection(std::move(connection))
{
}

StoreResultOf<StoreSchema::Found> StoreSchema::inspect()
{
    // The version first: a newer file must not even get its journal mode
    // switched. A file that is no database shows it at this first read; a
    // damaged one at the integrity check; one without the tables its version
    // promises at the schema check. All three only read, so a file put aside
    // keeps its bytes.
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        if (!SqlFailure::IsDamage(q.lastError()))
            return SqlFailure::Of(q.lastError());
        return Found{-1, true};
    }
    const int version = q.value(0).toInt();
    q.finish();
    if (version > Version)
        return StoreResult::Fail(StoreError::NewerVersion, std::to_string(version));
    if (version < 0)
        return StoreResult::Fail(StoreError::VersionUnreadable, std::to_string(version));
    bool damaged = false;
    if (!q.exec(QStringLiteral("PRAGMA quick_check"))) {
        if (!SqlFailure::IsDamage(q.lastError()))
            return SqlFailure::Of(q.lastError());
        damaged = true;
    } else {
        damaged = !q.next() || q.value(0).toString() != QLatin1String("ok");
    }
    q.finish();
    if (!damaged && !fits(version))
        damaged = true;
    return Found{version, damaged};
}

bool StoreSchema::fits(int version)
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

StoreResult StoreSchema::prepare(int version)
{
    if (version == Version)
        return StoreResult::Ok();
    if (StoreResult r = exec(QStringLiteral("BEGIN IMMEDIATE")); !r)
        return r;
    StoreResult r = migrate(version);
    if (r)
        r = exec(QStringLiteral("COMMIT"));
    if (!r)
        exec(QStringLiteral("ROLLBACK"));
    return r;
}

StoreResult StoreSchema::migrate(int from)
{
    // Each step brings the file one version up, inside the caller's
    // transaction, so a failed step leaves the file as it was.
    for (int v = from + 1; v <= Version; ++v) {
        for (const char* sql : StepTo(v)) {
            if (StoreResult r = exec(QString::fromLatin1(sql)); !r)
                return r;
        }
        if (StoreResult r = exec(QStringLiteral("PRAGMA user_version=%1").arg(v)); !r)
            return r;
    }
    return StoreResult::Ok();
}

int StoreSchema::repairAnswerCounts()
{
    // Every answer is written with its row's count in one transaction, so a
    // row promising more answers than remain means some were lost (a damaged
    // log, an older program that went on after a failed write). Said once:
    // the rows are brought in line with what is there.
    int shortAttempts = 0;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    const QString rows = QStringLiteral("(SELECT count(*) FROM answer WHERE answer.attempt_id = attempt.id)");
    if (q.exec(QStringLiteral("SELECT count(*) FROM attempt WHERE answered > ") + rows) && q.next())
        shortAttempts = q.value(0).toInt();
    q.finish();
    if (shortAttempts > 0)
        exec(QStringLiteral("UPDATE attempt SET answered = ") + rows + QStringLiteral(" WHERE answered > ") + rows);
    return shortAttempts;
}

StoreResult StoreSchema::exec(const QString& sql)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(sql))
        return SqlFailure::Of(q.lastError());
    return StoreResult::Ok();
}

std::optional<int> StoreSchema::VersionInLog(const QString& path, int busyTimeoutMs)
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

StoreResultOf<QString> StoreSchema::SetAside(const QString& path, const QDateTime& now)
{
    const QString stamp = now.toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = path + QStringLiteral(".damaged-") + stamp + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(path, target))
        return StoreResult::Fail(StoreError::Damaged, QDir::toNativeSeparators(path).toStdString());
    // The journal files belong to the damaged file; they go with it.
    for (const char* suffix : {"-wal", "-shm"}) {
        const QString side = path + QLatin1String(suffix);
        if (QFileInfo::exists(side))
            QFile::rename(side, target + QLatin1String(suffix));
    }
    return target;
}

} // namespace zelvora::attempts
