// The attempt store: schema and migration, what is written comes back, every
// answer is committed when it is given, and a store that cannot be used says why.
#include "attempts/AttemptRecorder.h"
#include "attempts/AttemptSession.h"
#include "attempts/AttemptStore.h"
#include "attempts/AttemptTexts.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <QCryptographicHash>
#include <QDir>

#include <unistd.h>

using namespace zelvora::attempts;

namespace {

const PaperIdentity Paper{QStringLiteral("/dados/simu/p.pdf"), QStringLiteral("/dados/"), QStringLiteral("abc")};

QDateTime At(int minute)
{
    return QDateTime(QDate(2026, 3, 1), QTime(9, minute), Qt::UTC);
}

// A plain second connection, as another process would see the file.
QVariant Peek(const QString& path, const QString& sql)
{
    QVariant v;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        if (q.exec(sql) && q.next())
            v = q.value(0);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    return v;
}

QByteArray Hash(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "(missing)";
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex();
}

// Runs statements on a plain connection of its own.
bool Run(const QString& path, const QStringList& sql, const QString& name = QStringLiteral("raw"))
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        for (const QString& s : sql)
            ok = ok && q.exec(s);
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

// The file and its log as a program killed at this moment leaves them: the
// store stays open while they are copied to "crash/".
QString CrashCopy(const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath() + QStringLiteral("/crash");
    QDir().mkpath(folder);
    const QString copy = folder + QStringLiteral("/attempts.sqlite");
    for (const char* suffix : {"", "-wal"})
        QFile::copy(path + QLatin1String(suffix), copy + QLatin1String(suffix));
    return copy;
}

} // namespace

class TestAttemptStore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void newFileHasCurrentSchemaInWal();
    void firstVersionIsMigrated();
    void writtenAttemptComesBack();
    void everyAnswerIsCommittedWhenGiven();
    void interruptedAttemptLookup_data();
    void interruptedAttemptLookup();
    void damagedFileIsSetAside_data();
    void damagedFileIsSetAside();
    void unusableStoreSaysWhy_data();
    void unusableStoreSaysWhy();
    void clockIsWrittenEveryTenSeconds_data();
    void clockIsWrittenEveryTenSeconds();
    void newerStoreStaysByteForByte_data();
    void newerStoreStaysByteForByte();
    void versionWithoutItsTablesIsSetAside_data();
    void versionWithoutItsTablesIsSetAside();
    void answersWaitWhileWritingFails();
    void lostAnswersAreSaidOnce_data();
    void lostAnswersAreSaidOnce();
};

void TestAttemptStore::newFileHasCurrentSchemaInWal()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/attempts.sqlite"));
    AttemptStore store(path);
    QVERIFY2(store.open(), store.status().detail().c_str());
    QCOMPARE(store.userVersion(), AttemptStore::SchemaVersion);
    QCOMPARE(Peek(path, QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    QVERIFY(AttemptStore::DefaultPath().endsWith(QStringLiteral("/zelvora/attempts.sqlite")));
}

void TestAttemptStore::firstVersionIsMigrated()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("attempts.sqlite"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v1"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral(
            "CREATE TABLE attempt (id INTEGER PRIMARY KEY, paper_name TEXT NOT NULL, pdf_path TEXT NOT NULL,"
            " data_folder TEXT NOT NULL, key_hash TEXT NOT NULL, question_count INTEGER NOT NULL,"
            " started_at INTEGER NOT NULL, ended_at INTEGER, elapsed_seconds INTEGER NOT NULL DEFAULT 0,"
            " current_question INTEGER NOT NULL DEFAULT 0, answered INTEGER NOT NULL DEFAULT 0,"
            " hits INTEGER NOT NULL DEFAULT 0, finished INTEGER NOT NULL DEFAULT 0)")));
        QVERIFY(q.exec(QStringLiteral("CREATE TABLE answer (attempt_id INTEGER NOT NULL, question INTEGER NOT NULL,"
                                      " answer TEXT NOT NULL, PRIMARY KEY (attempt_id, question)) WITHOUT ROWID")));
        QVERIFY(q.exec(QStringLiteral("INSERT INTO attempt VALUES (7, 'Prova', '/dados/simu/p.pdf', '/dados/',"
                                      " 'abc', 3, %1, NULL, 42, 1, 1, 0, 0)")
                           .arg(At(5).toMSecsSinceEpoch())));
        QVERIFY(q.exec(QStringLiteral("INSERT INTO answer VALUES (7, 1, '4')")));
        QVERIFY(q.exec(QStringLiteral("PRAGMA user_version=1")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("v1"));

    AttemptStore store(path);
    QVERIFY2(store.open(), store.status().detail().c_str());
    QCOMPARE(store.userVersion(), AttemptStore::SchemaVersion);
    const auto a = store.findInterrupted(Paper).value();
    QVERIFY(a);
    QCOMPARE(a->id, 7);
    QCOMPARE(a->answers, (std::vector<std::string>{"#", "4", "#"}));
    QCOMPARE(a->elapsedSeconds, 42);
    QCOMPARE(a->savedAt, At(5));
}

void TestAttemptStore::writtenAttemptComesBack()
{
    QTemporaryDir dir;
    int minute = 0;
    AttemptStore store(dir.filePath(QStringLiteral("a.sqlite")), [&] { return At(minute); });
    QVERIFY(store.open());
    const qint64 id = store.begin(Paper, QStringLiteral("Técnico — 2008"), 4).value();
    QVERIFY(id > 0);
    QVERIFY(store.recordAnswer(id, 2, "3", 2, 1));
    QVERIFY(store.recordAnswer(id, 2, "5", 3, 0)); // a later choice replaces the first
    QVERIFY(store.recordAnswer(id, 0, "1", 0, 1));
    minute = 7;
    QVERIFY(store.recordProgress(id, 130, 3));
    store.close();

    AttemptStore again(dir.filePath(QStringLiteral("a.sqlite")));
    QVERIFY(again.open());
    auto a = again.load(id).value();
    QVERIFY(a);
    QCOMPARE(a->paperName, QStringLiteral("Técnico — 2008"));
    QCOMPARE(a->paper, Paper);
    QCOMPARE(a->answers, (std::vector<std::string>{"1", "#", "5", "#"}));
    QCOMPARE(a->currentQuestion, 3);
    QCOMPARE(a->elapsedSeconds, 130);
    QCOMPARE(a->startedAt, At(0));
    QCOMPARE(a->savedAt, At(7));
    QCOMPARE(a->answered, 2);
    QVERIFY(!a->finished);

    QVERIFY(again.finish(id, 200, 1));
    a = again.load(id).value();
    QVERIFY(a->finished);
    QCOMPARE(a->elapsedSeconds, 200);
    QVERIFY(a->endedAt.isValid());
    QCOMPARE(a->percentage(), 25.0);

    QVERIFY(again.remove(id));
    QVERIFY(!again.load(id).value());
    // Writes for an attempt deleted meanwhile succeed and bring nothing back.
    QVERIFY(again.recordAnswer(id, 1, "2", 1, 2));
    QVERIFY(again.finish(id, 210, 2));
    QVERIFY(again.summaries().value().empty());
}

void TestAttemptStore::everyAnswerIsCommittedWhenGiven()
{
    // The store stays open, as in a program about to be killed: another
    // connection must already see each answer as soon as the call returns.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.sqlite"));
    AttemptStore store(path);
    QVERIFY(store.open());
    AttemptRecorder recorder(&store);
    const std::vector<std::string> key = {"1", "2", "3", "4", "5"};
    QVERIFY(recorder.begin(Paper, QStringLiteral("P"), key));
    std::vector<std::string> answers(5, "#");
    for (int q = 0; q < 5; ++q) {
        answers[size_t(q)] = q % 2 ? "2" : std::to_string(q + 1);
        recorder.answer(q, answers, q);
        const QString where = QStringLiteral(" FROM answer WHERE attempt_id = %1").arg(recorder.id());
        QCOMPARE(Peek(path, QStringLiteral("SELECT count(*)") + where).toInt(), q + 1);
        QCOMPARE(Peek(path, QStringLiteral("SELECT answer") + where + QStringLiteral(" AND question = %1").arg(q))
                     .toString(),
                 QString::fromStdString(answers[size_t(q)]));
    }
    QCOMPARE(Peek(path, QStringLiteral("SELECT hits FROM attempt")).toInt(), 4);
    QCOMPARE(Peek(path, QStringLiteral("SELECT answered FROM attempt")).toInt(), 5);
}

void TestAttemptStore::interruptedAttemptLookup_data()
{
    QTest::addColumn<QString>("pdf");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("hash");
    QTest::addColumn<bool>("found");
    QTest::newRow("same paper") << Paper.pdfPath << Paper.dataFolder << Paper.keyHash << true;
    QTest::newRow("other pdf") << "/dados/simu/q.pdf" << Paper.dataFolder << Paper.keyHash << false;
    QTest::newRow("other data folder") << Paper.pdfPath << "/outros/" << Paper.keyHash << false;
    QTest::newRow("changed key") << Paper.pdfPath << Paper.dataFolder << "abd" << false;
}

void TestAttemptStore::interruptedAttemptLookup()
{
    QFETCH(QString, pdf);
    QFETCH(QString, folder);
    QFETCH(QString, hash);
    QFETCH(bool, found);
    QTemporaryDir dir;
    int minute = 0;
    AttemptStore store(dir.filePath(QStringLiteral("a.sqlite")), [&] { return At(minute); });
    QVERIFY(store.open());
    const qint64 finished = store.begin(Paper, QStringLiteral("P"), 3).value();
    QVERIFY(store.recordAnswer(finished, 0, "1", 0, 1));
    QVERIFY(store.finish(finished, 20, 1));
    minute = 1;
    const qint64 older = store.begin(Paper, QStringLiteral("P"), 3).value();
    QVERIFY(store.recordProgress(older, 10, 0));
    minute = 2;
    const qint64 newer = store.begin(Paper, QStringLiteral("P"), 3).value();
    QVERIFY(store.recordAnswer(newer, 1, "2", 1, 1));
    minute = 3;
    store.begin(Paper, QStringLiteral("P"), 3); // started, nothing done yet

    const auto a = store.findInterrupted(PaperIdentity{pdf, folder, hash}).value();
    QCOMPARE(a.has_value(), found);
    if (found)
        QCOMPARE(a->id, newer);
}

void TestAttemptStore::damagedFileIsSetAside_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("text, not a database") << QByteArray("nada de banco de dados aqui\n").repeated(200);
    QByteArray header("SQLite format 3\0", 16);
    QTest::newRow("header then garbage") << header + QByteArray(4080, '\xA5');
}

void TestAttemptStore::damagedFileIsSetAside()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("attempts.sqlite"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();

    AttemptStore store(path, [] { return At(30); });
    QVERIFY2(store.open(), store.status().detail().c_str());
    QCOMPARE(store.setAsidePath(), path + QStringLiteral(".damaged-20260301-093000"));
    QVERIFY(store.status());
    QFile kept(store.setAsidePath());
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), content);
    QVERIFY(store.begin(Paper, QStringLiteral("P"), 1));
}

void TestAttemptStore::unusableStoreSaysWhy_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder cannot be made") << "file in the way"
                                           << "não pode ser criada";
    QTest::newRow("read-only folder") << "read-only"
                                      << "gravação";
    QTest::newRow("locked by another program") << "locked"
                                               << "em uso";
    QTest::newRow("written by a newer version") << "newer"
                                                << "mais nova";
}

void TestAttemptStore::unusableStoreSaysWhy()
{
    QFETCH(QString, situation);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("attempts.sqlite"));
    QSqlDatabase other;
    if (situation == QLatin1String("file in the way")) {
        QFile blocker(dir.filePath(QStringLiteral("zelvora")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        path = dir.filePath(QStringLiteral("zelvora/attempts.sqlite"));
    } else if (situation == QLatin1String("read-only")) {
        if (geteuid() == 0)
            QSKIP("permissions do not hold for root");
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    } else {
        {
            AttemptStore first(path);
            QVERIFY(first.open());
        }
        other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(path);
        QVERIFY(other.open());
        QSqlQuery q(other);
        if (situation == QLatin1String("locked")) {
            QVERIFY(q.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")));
            QVERIFY(q.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        } else {
            QVERIFY(q.exec(QStringLiteral("PRAGMA user_version=99")));
        }
    }

    AttemptStore store(path);
    store.setBusyTimeout(0);
    QVERIFY(!store.open());
    QVERIFY2(AttemptTexts::Reason(store.status()).contains(reason), store.status().detail().c_str());
    QVERIFY(!store.isOpen());
    QVERIFY(!store.begin(Paper, QStringLiteral("P"), 1));
    if (other.isValid()) {
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
        QVERIFY(QFile::exists(path));
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestAttemptStore::clockIsWrittenEveryTenSeconds_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<int>("stored");
    QTest::newRow("9 s: nothing yet") << 9 << 0;
    QTest::newRow("10 s") << 10 << 10;
    QTest::newRow("29 s") << 29 << 20;
    QTest::newRow("30 s") << 30 << 30;
}

void TestAttemptStore::clockIsWrittenEveryTenSeconds()
{
    QFETCH(int, ticks);
    QFETCH(int, stored);
    QTemporaryDir dir;
    AttemptStore store(dir.filePath(QStringLiteral("a.sqlite")));
    QVERIFY(store.open());
    AttemptRecorder recorder(&store);
    QVERIFY(recorder.begin(Paper, QStringLiteral("P"), {"1", "2"}));
    for (int s = 1; s <= ticks; ++s)
        recorder.tick(s, 1);
    QCOMPARE(store.load(recorder.id()).value()->elapsedSeconds, stored);
    recorder.save(ticks, 1); // leaving the exam writes the clock at once
    QCOMPARE(store.load(recorder.id()).value()->elapsedSeconds, ticks);
}

void TestAttemptStore::newerStoreStaysByteForByte_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("rollback journal") << "journal";
    QTest::newRow("WAL, version in the file") << "wal";
    QTest::newRow("WAL, version only in the log") << "log";
}

void TestAttemptStore::newerStoreStaysByteForByte()
{
    QFETCH(QString, where);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("attempts.sqlite"));
    {
        AttemptStore older(path);
        QVERIFY(older.open());
        QVERIFY(older.begin(Paper, QStringLiteral("P"), 2));
    }
    if (where == QLatin1String("journal")) {
        QVERIFY(Run(path, {QStringLiteral("PRAGMA journal_mode=DELETE"), QStringLiteral("PRAGMA user_version=99")}));
    } else if (where == QLatin1String("wal")) {
        QVERIFY(Run(path, {QStringLiteral("PRAGMA user_version=99")}));
    } else {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("live"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("PRAGMA wal_autocheckpoint=0")));
        QVERIFY(q.exec(QStringLiteral("PRAGMA user_version=99")));
        path = CrashCopy(path);
        q.finish();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("live"));
        QVERIFY(QFileInfo(path + QStringLiteral("-wal")).size() > 0);
    }
    const QByteArray before = Hash(path);
    const QByteArray logBefore = Hash(path + QStringLiteral("-wal"));

    // The exam runs without the store and says why once.
    AttemptStore store(path);
    QVERIFY(!store.open());
    QCOMPARE(store.status().code(), StoreError::NewerVersion);
    QStringList told;
    {
        AttemptSession session(
            &store, [](const QString&) { return true; }, [&](const QString& m) { told << m; });
        session.start(Paper, QStringLiteral("P"), {"1", "2"});
        session.answered(0, {"1", "#"}, 0);
        session.tick(10, 0);
        session.finish(12, {"1", "#"});
        session.start(Paper, QStringLiteral("P"), {"1", "2"});
    }
    store.close();
    QCOMPARE(told.size(), 1);
    QVERIFY2(told[0].contains(QStringLiteral("versão mais nova")), qPrintable(told[0]));
    QCOMPARE(Hash(path), before);
    QCOMPARE(Hash(path + QStringLiteral("-wal")), logBefore);
}

void TestAttemptStore::versionWithoutItsTablesIsSetAside_data()
{
    QTest::addColumn<QStringList>("sql");
    QTest::newRow("version 2, no tables") << QStringList{"PRAGMA user_version=2"};
    QTest::newRow("version 1, no answer table")
        << QStringList{"CREATE TABLE attempt (id INTEGER PRIMARY KEY, paper_name, pdf_path, data_folder, key_hash,"
                       " question_count, started_at, ended_at, elapsed_seconds, current_question, answered, hits,"
                       " finished)",
                       "PRAGMA user_version=1"};
    QTest::newRow("version 2, no saved_at")
        << QStringList{"CREATE TABLE attempt (id INTEGER PRIMARY KEY, paper_name, pdf_path, data_folder, key_hash,"
                       " question_count, started_at, ended_at, elapsed_seconds, current_question, answered, hits,"
                       " finished)",
                       "CREATE TABLE answer (attempt_id, question, answer)", "PRAGMA user_version=2"};
    QTest::newRow("version 5, no question tables")
        << QStringList{"CREATE TABLE attempt (id INTEGER PRIMARY KEY, paper_name, pdf_path, data_folder, key_hash,"
                       " question_count, started_at, ended_at, elapsed_seconds, current_question, answered, hits,"
                       " finished, saved_at, paper_hash)",
                       "CREATE TABLE answer (attempt_id, question, answer)", "CREATE TABLE key_revision (id)",
                       "PRAGMA user_version=5"};
    QTest::newRow("version 6, no notebook tables")
        << QStringList{"CREATE TABLE attempt (id INTEGER PRIMARY KEY, paper_name, pdf_path, data_folder, key_hash,"
                       " question_count, started_at, ended_at, elapsed_seconds, current_question, answered, hits,"
                       " finished, saved_at, kind, noted)",
                       "CREATE TABLE answer (attempt_id, question, answer)", "PRAGMA user_version=6"};
    QTest::newRow("version 6, no kind") << QStringList{
        "CREATE TABLE attempt (id INTEGER PRIMARY KEY, paper_name, pdf_path, data_folder, key_hash,"
        " question_count, started_at, ended_at, elapsed_seconds, current_question, answered, hits,"
        " finished, saved_at, paper_hash, noted)",
        "CREATE TABLE answer (attempt_id, question, answer)",
        "CREATE TABLE notebook_item (id, pdf_path, data_folder, key_hash, question, paper_name, board,"
        " year, subject, key_line, right_wrong, status, missed, last_seen, last_attempt, note, ease,"
        " interval_days, repetitions, lapses, due_day, mastered, leech, active)",
        "CREATE TABLE review_question (attempt_id, position, item_id)",
        "CREATE TABLE attempt_subject (attempt_id, subject, hits, total)",
        "CREATE TABLE key_revision (id, attempt_id, old_key_hash, new_key_hash, hits_before, hits_after,"
        " questions_before, questions_after, revised_at)",
        "CREATE TABLE paper_map (paper_hash)",
        "CREATE TABLE question_place (paper_hash)",
        "CREATE TABLE question_note (paper_hash)",
        "CREATE TABLE question_time (attempt_id)",
        "CREATE TABLE question_guess (attempt_id)",
        "PRAGMA user_version=6"};
    QTest::newRow("no version, tables of another shape")
        << QStringList{"CREATE TABLE attempt (x)", "CREATE TABLE answer (y)"};
}

void TestAttemptStore::versionWithoutItsTablesIsSetAside()
{
    QFETCH(QStringList, sql);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("attempts.sqlite"));
    QVERIFY(Run(path, sql));
    const QByteArray before = Hash(path);
    AttemptStore store(path, [] { return At(30); });
    QVERIFY2(store.open(), store.status().detail().c_str());
    QCOMPARE(store.setAsidePath(), path + QStringLiteral(".damaged-20260301-093000"));
    QCOMPARE(Hash(store.setAsidePath()), before);
    // The fresh store works from the first call on.
    const qint64 id = store.begin(Paper, QStringLiteral("P"), 2).value();
    QVERIFY(store.recordAnswer(id, 1, "3", 1, 0));
    QCOMPARE(store.load(id).value()->answered, 1);
    QCOMPARE(store.userVersion(), AttemptStore::SchemaVersion);
}

void TestAttemptStore::answersWaitWhileWritingFails()
{
    // Another program holds the write lock: each write fails at once, as on
    // a full disk. The answers wait in memory and are written out, all of
    // them, at the first write after the lock is gone; the counts come from
    // the stored rows.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("attempts.sqlite"));
    AttemptStore store(path);
    store.setBusyTimeout(0);
    QVERIFY(store.open());
    QStringList told;
    AttemptSession session(
        &store, [](const QString&) { return true; }, [&](const QString& m) { told << m; });
    const std::vector<std::string> key = {"1", "2", "3", "4", "5", "1"};
    session.start(Paper, QStringLiteral("P"), key);
    std::vector<std::string> answers(key.size(), "#");
    answers[0] = "1";
    session.answered(0, answers, 0);

    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
    other.setDatabaseName(path);
    QVERIFY(other.open());
    QSqlQuery q(other);
    QVERIFY(q.exec(QStringLiteral("BEGIN IMMEDIATE")));
    for (int i = 1; i < 5; ++i) {
        answers[size_t(i)] = i == 3 ? "1" : key[size_t(i)];
        session.answered(i, answers, i);
    }
    session.tick(10, 4);
    QCOMPARE(told.size(), 1); // one message, whatever the number of failed writes
    QVERIFY2(told[0].contains(QStringLiteral("em uso")) && told[0].contains(QStringLiteral("memória")),
             qPrintable(told[0]));
    QVERIFY2(!told[0].contains(QStringLiteral("database")) && !told[0].contains(QStringLiteral("locked")),
             qPrintable(told[0]));
    QVERIFY(q.exec(QStringLiteral("COMMIT")));
    other.close();
    other = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("holder"));

    session.tick(20, 4); // writing works again: everything waiting goes out
    const qint64 id = session.attemptId();
    auto a = store.load(id).value();
    QCOMPARE(a->answers, (std::vector<std::string>{"1", "2", "3", "1", "5", "#"}));
    QCOMPARE(a->answered, 5);
    QCOMPARE(a->hits, 4);
    QCOMPARE(a->elapsedSeconds, 20);
    QCOMPARE(Peek(path, QStringLiteral("SELECT answered FROM attempt")).toInt(), 5);
    QCOMPARE(told.size(), 1);
}

void TestAttemptStore::lostAnswersAreSaidOnce_data()
{
    QTest::addColumn<QString>("hazard");
    QTest::addColumn<int>("kept");
    QTest::newRow("whole log: nothing lost") << "none" << 8;
    QTest::newRow("damaged frame in the log") << "frame" << -1;
    QTest::newRow("row promises more answers") << "count" << 8;
}

void TestAttemptStore::lostAnswersAreSaidOnce()
{
    QFETCH(QString, hazard);
    QFETCH(int, kept);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("attempts.sqlite"));
    QString copy;
    {
        AttemptStore store(path);
        QVERIFY(store.open());
        const qint64 id = store.begin(Paper, QStringLiteral("P"), 8).value();
        for (int q = 0; q < 8; ++q)
            QVERIFY(store.recordAnswer(id, q, "2", q, 0));
        copy = CrashCopy(path);
    }
    if (hazard == QLatin1String("frame")) {
        // A byte of a page in the middle of the log: SQLite keeps what comes
        // before it and drops every transaction after.
        QFile wal(copy + QStringLiteral("-wal"));
        QVERIFY(wal.open(QIODevice::ReadWrite));
        const qint64 size = wal.size();
        QVERIFY(size > 4 * 4096);
        wal.seek(size / 2);
        const char c = wal.read(1)[0];
        wal.seek(size / 2);
        wal.write(QByteArray(1, char(c ^ 0x5A)));
    } else if (hazard == QLatin1String("count")) {
        QVERIFY(Run(copy, {QStringLiteral("UPDATE attempt SET answered = 20")}));
    }
    QStringList told;
    for (int round = 0; round < 2; ++round) {
        AttemptStore store(copy);
        QVERIFY(store.open());
        AttemptSession session(
            &store, [](const QString&) { return false; }, [&](const QString& m) { told << m; });
        session.start(PaperIdentity{QStringLiteral("/o/outra.pdf"), QStringLiteral("/o/"), QStringLiteral("k")},
                      QStringLiteral("Q"), {"1"});
        const auto a = store.load(1).value();
        QVERIFY(a);
        if (kept >= 0)
            QCOMPARE(a->answered, kept);
        else
            QVERIFY2(a->answered < 8, qPrintable(QString::number(a->answered)));
        QCOMPARE(int(std::count(a->answers.begin(), a->answers.end(), "2")), a->answered);
    }
    QCOMPARE(told.size(), hazard == QLatin1String("none") ? 0 : 1);
    if (!told.isEmpty())
        QVERIFY2(told[0].contains(QStringLiteral("se perderam")), qPrintable(told[0]));
}

QTEST_GUILESS_MAIN(TestAttemptStore)
#include "tst_AttemptStore.moc"
