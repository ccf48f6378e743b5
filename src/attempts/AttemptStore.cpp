#include "attempts/AttemptStore.h"

#include "attempts/QuestionStore.h"

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

// SQLite's primary result codes that the reasons below tell apart.
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

QString Reason(const QSqlError& e)
{
    switch (PrimaryCode(e)) {
    case Busy:
    case Locked:
        return QStringLiteral("o arquivo está em uso por outro programa");
    case ReadOnly:
    case CantOpen:
        return QStringLiteral("o arquivo não pode ser aberto para gravação");
    case Full:
        return QStringLiteral("o disco está cheio");
    case IoError:
        return QStringLiteral("erro de leitura ou gravação no disco");
    case Corrupt:
    case NotADatabase:
        return QStringLiteral("o arquivo está danificado");
    default:
        break;
    }
    const QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return text.isEmpty() ? QStringLiteral("erro desconhecido") : text;
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

const QString AttemptColumns = QStringLiteral(
    "id, paper_name, pdf_path, data_folder, key_hash, question_count, started_at, ended_at,"
    " elapsed_seconds, current_question, answered, hits, finished, saved_at");

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

bool AttemptStore::open()
{
    close();
    m_error.clear();
    m_notice.clear();
    m_setAside.clear();
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        m_error = QStringLiteral("o suporte a SQLite do Qt (QSQLITE) não está instalado");
        return false;
    }
    const QFileInfo file(m_path);
    if (!QDir().mkpath(file.absolutePath())) {
        m_error = QStringLiteral("a pasta %1 não pode ser criada").arg(QDir::toNativeSeparators(file.absolutePath()));
        return false;
    }
    if (file.exists() && !file.isFile()) {
        m_error = QStringLiteral("%1 não é um arquivo").arg(QDir::toNativeSeparators(m_path));
        return false;
    }
    return openFile();
}

bool AttemptStore::openFile()
{
    for (int round = 0; round < 2; ++round) {
        QString openError;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
            db.setDatabaseName(m_path);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busyTimeoutMs));
            if (!db.open())
                openError = Reason(db.lastError());
        }
        if (!openError.isEmpty()) {
            close();
            m_error = openError;
            return false;
        }
        m_open = true;
        // A file that is no database shows it at the first statement; a
        // damaged one at the integrity check.
        bool damaged = false;
        QString reason;
        {
            QSqlQuery q(QSqlDatabase::database(m_connection, false));
            if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !q.exec(QStringLiteral("PRAGMA quick_check"))) {
                damaged = IsDamage(q.lastError());
                if (!damaged)
                    reason = Reason(q.lastError());
            } else {
                damaged = !q.next() || q.value(0).toString() != QLatin1String("ok");
            }
        }
        if (!reason.isEmpty()) {
            close();
            m_error = reason;
            return false;
        }
        if (damaged) {
            if (round > 0 || !setAside())
                return false;
            continue;
        }
        if (!exec(QStringLiteral("PRAGMA synchronous=NORMAL")) || !exec(QStringLiteral("PRAGMA foreign_keys=ON"))
            || !prepareSchema()) {
            close();
            return false;
        }
        m_error.clear();
        return true;
    }
    return false;
}

bool AttemptStore::setAside()
{
    close();
    const QString stamp = now().toUTC().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = m_path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = m_path + QStringLiteral(".damaged-") + stamp + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(m_path, target)) {
        m_error = QStringLiteral("o arquivo %1 está danificado e não pode ser renomeado")
                      .arg(QDir::toNativeSeparators(m_path));
        return false;
    }
    // The journal files belong to the damaged file; they go with it.
    for (const char* suffix : {"-wal", "-shm"}) {
        const QString side = m_path + QLatin1String(suffix);
        if (QFileInfo::exists(side))
            QFile::rename(side, target + QLatin1String(suffix));
    }
    m_setAside = target;
    m_notice = QStringLiteral("O arquivo do histórico estava danificado e foi guardado como %1; um histórico novo foi "
                              "iniciado.")
                   .arg(QDir::toNativeSeparators(target));
    return true;
}

bool AttemptStore::exec(const QString& sql)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(sql))
        return fail(q.lastError());
    return true;
}

bool AttemptStore::fail(const QSqlError& e)
{
    m_error = Reason(e);
    return false;
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

bool AttemptStore::prepareSchema()
{
    const int version = userVersion();
    if (version < 0) {
        m_error = QStringLiteral("a versão do arquivo não pode ser lida");
        return false;
    }
    if (version > SchemaVersion) {
        m_error = QStringLiteral("o arquivo foi gravado por uma versão mais nova do Zelvora");
        return false;
    }
    if (version == SchemaVersion)
        return true;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction())
        return fail(db.lastError());
    bool ok = true;
    if (version == 0) {
        for (const char* sql : SchemaV1)
            ok = ok && exec(QString::fromLatin1(sql));
        ok = ok && exec(QStringLiteral("PRAGMA user_version=1"));
    }
    ok = ok && migrate(version == 0 ? 1 : version);
    if (!ok || !db.commit()) {
        if (ok)
            fail(db.lastError());
        db.rollback();
        return false;
    }
    return true;
}

bool AttemptStore::migrate(int from)
{
    // Each step brings the file one version up, inside the caller's
    // transaction, so a failed step leaves the file as it was.
    for (int v = from; v < SchemaVersion; ++v) {
        if (v == 1) {
            for (const char* sql : MigrateToV2) {
                if (!exec(QString::fromLatin1(sql)))
                    return false;
            }
        }
        if (v == 4) {
            // Version 5: question maps, the user's places, notes, time per
            // question and guess marks.
            for (const char* sql : QuestionStore::Schema()) {
                if (!exec(QString::fromLatin1(sql)))
                    return false;
            }
        }
        if (!exec(QStringLiteral("PRAGMA user_version=%1").arg(v + 1)))
            return false;
    }
    return true;
}

std::optional<qint64> AttemptStore::begin(const PaperIdentity& paper, const QString& paperName, int questionCount)
{
    if (!m_open)
        return std::nullopt;
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
    if (!q.exec()) {
        fail(q.lastError());
        return std::nullopt;
    }
    return q.lastInsertId().toLongLong();
}

bool AttemptStore::recordAnswer(qint64 id, int question, const std::string& answer, int currentQuestion, int answered,
                                int hits)
{
    if (!m_open)
        return false;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction())
        return fail(db.lastError());
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE attempt SET current_question = ?, answered = ?, hits = ? WHERE id = ?"));
    q.addBindValue(currentQuestion);
    q.addBindValue(answered);
    q.addBindValue(hits);
    q.addBindValue(id);
    bool ok = q.exec();
    if (ok && q.numRowsAffected() == 0) {
        // The attempt was deleted from the history meanwhile: nothing to keep.
        db.rollback();
        return true;
    }
    if (ok) {
        q.prepare(QStringLiteral("INSERT INTO answer (attempt_id, question, answer) VALUES (?, ?, ?)"
                                 " ON CONFLICT (attempt_id, question) DO UPDATE SET answer = excluded.answer"));
        q.addBindValue(id);
        q.addBindValue(question);
        q.addBindValue(QString::fromStdString(answer));
        ok = q.exec();
    }
    if (!ok) {
        fail(q.lastError());
        db.rollback();
        return false;
    }
    if (!db.commit()) {
        fail(db.lastError());
        db.rollback();
        return false;
    }
    return true;
}

bool AttemptStore::recordProgress(qint64 id, qint64 elapsedSeconds, int currentQuestion)
{
    if (!m_open)
        return false;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(
        QStringLiteral("UPDATE attempt SET elapsed_seconds = ?, current_question = ?, saved_at = ? WHERE id = ?"));
    q.addBindValue(elapsedSeconds);
    q.addBindValue(currentQuestion);
    q.addBindValue(ToStored(now()));
    q.addBindValue(id);
    if (!q.exec())
        return fail(q.lastError());
    return true;
}

bool AttemptStore::finish(qint64 id, qint64 elapsedSeconds, int answered, int hits)
{
    if (!m_open)
        return false;
    const qint64 t = ToStored(now());
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("UPDATE attempt SET finished = 1, ended_at = ?, saved_at = ?, elapsed_seconds = ?,"
                             " answered = ?, hits = ? WHERE id = ?"));
    q.addBindValue(t);
    q.addBindValue(t);
    q.addBindValue(elapsedSeconds);
    q.addBindValue(answered);
    q.addBindValue(hits);
    q.addBindValue(id);
    // An attempt deleted from the history meanwhile leaves nothing to mark.
    if (!q.exec())
        return fail(q.lastError());
    return true;
}

bool AttemptStore::remove(qint64 id)
{
    if (!m_open)
        return false;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("DELETE FROM attempt WHERE id = ?"));
    q.addBindValue(id);
    if (!q.exec())
        return fail(q.lastError());
    return q.numRowsAffected() == 1;
}

std::optional<Attempt> AttemptStore::load(qint64 id)
{
    if (!m_open)
        return std::nullopt;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT ") + AttemptColumns + QStringLiteral(" FROM attempt WHERE id = ?"));
    q.addBindValue(id);
    if (!q.exec()) {
        fail(q.lastError());
        return std::nullopt;
    }
    if (!q.next())
        return std::nullopt;
    Attempt a = ReadAttempt(q);
    a.answers.assign(size_t(qMax(0, a.questionCount)), "#");
    q.prepare(QStringLiteral("SELECT question, answer FROM answer WHERE attempt_id = ?"));
    q.addBindValue(id);
    if (!q.exec()) {
        fail(q.lastError());
        return std::nullopt;
    }
    while (q.next()) {
        const int question = q.value(0).toInt();
        if (question >= 0 && question < a.questionCount)
            a.answers[size_t(question)] = q.value(1).toString().toStdString();
    }
    if (a.questionCount > 0)
        a.currentQuestion = qBound(0, a.currentQuestion, a.questionCount - 1);
    return a;
}

std::optional<Attempt> AttemptStore::findInterrupted(const PaperIdentity& paper)
{
    if (!m_open)
        return std::nullopt;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.prepare(QStringLiteral("SELECT id FROM attempt WHERE pdf_path = ? AND data_folder = ? AND key_hash = ?"
                             " AND finished = 0 AND (answered > 0 OR elapsed_seconds > 0)"
                             " ORDER BY started_at DESC, id DESC LIMIT 1"));
    q.addBindValue(paper.pdfPath);
    q.addBindValue(paper.dataFolder);
    q.addBindValue(paper.keyHash);
    if (!q.exec()) {
        fail(q.lastError());
        return std::nullopt;
    }
    if (!q.next())
        return std::nullopt;
    const qint64 id = q.value(0).toLongLong();
    q.finish();
    return load(id);
}

std::vector<Attempt> AttemptStore::summaries()
{
    std::vector<Attempt> out;
    if (!m_open)
        return out;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT ") + AttemptColumns
                + QStringLiteral(" FROM attempt ORDER BY started_at DESC, id DESC"))) {
        fail(q.lastError());
        return out;
    }
    while (q.next())
        out.push_back(ReadAttempt(q));
    return out;
}

} // namespace zelvora::attempts
