// The attempt store: schema and migration, what is written comes back, every
// answer is committed when it is given, and a store that cannot be used says why.
#include "attempts/AttemptRecorder.h"
#include "attempts/AttemptStore.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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
};

void TestAttemptStore::newFileHasCurrentSchemaInWal()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sub/attempts.sqlite"));
    AttemptStore store(path);
    QVERIFY2(store.open(), qPrintable(store.error()));
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
    QVERIFY2(store.open(), qPrintable(store.error()));
    QCOMPARE(store.userVersion(), AttemptStore::SchemaVersion);
    const auto a = store.findInterrupted(Paper);
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
    const auto id = store.begin(Paper, QStringLiteral("Técnico — 2008"), 4);
    QVERIFY(id);
    QVERIFY(store.recordAnswer(*id, 2, "3", 2, 1, 1));
    QVERIFY(store.recordAnswer(*id, 2, "5", 3, 1, 0)); // a later choice replaces the first
    QVERIFY(store.recordAnswer(*id, 0, "1", 0, 2, 1));
    minute = 7;
    QVERIFY(store.recordProgress(*id, 130, 3));
    store.close();

    AttemptStore again(dir.filePath(QStringLiteral("a.sqlite")));
    QVERIFY(again.open());
    auto a = again.load(*id);
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

    QVERIFY(again.finish(*id, 200, 2, 1));
    a = again.load(*id);
    QVERIFY(a->finished);
    QCOMPARE(a->elapsedSeconds, 200);
    QVERIFY(a->endedAt.isValid());
    QCOMPARE(a->percentage(), 25.0);

    QVERIFY(again.remove(*id));
    QVERIFY(!again.load(*id));
    // Writes for an attempt deleted meanwhile succeed and bring nothing back.
    QVERIFY(again.recordAnswer(*id, 1, "2", 1, 3, 2));
    QVERIFY(again.finish(*id, 210, 3, 2));
    QVERIFY(again.summaries().empty());
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
    const auto finished = store.begin(Paper, QStringLiteral("P"), 3);
    QVERIFY(store.recordAnswer(*finished, 0, "1", 0, 1, 1));
    QVERIFY(store.finish(*finished, 20, 1, 1));
    minute = 1;
    const auto older = store.begin(Paper, QStringLiteral("P"), 3);
    QVERIFY(store.recordProgress(*older, 10, 0));
    minute = 2;
    const auto newer = store.begin(Paper, QStringLiteral("P"), 3);
    QVERIFY(store.recordAnswer(*newer, 1, "2", 1, 1, 1));
    minute = 3;
    store.begin(Paper, QStringLiteral("P"), 3); // started, nothing done yet

    const auto a = store.findInterrupted(PaperIdentity{pdf, folder, hash});
    QCOMPARE(a.has_value(), found);
    if (found)
        QCOMPARE(a->id, *newer);
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
    QVERIFY2(store.open(), qPrintable(store.error()));
    QCOMPARE(store.setAsidePath(), path + QStringLiteral(".damaged-20260301-093000"));
    QVERIFY(store.notice().contains(QStringLiteral("danificado")));
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
            QVERIFY(q.exec(QStringLiteral("PRAGMA user_version=9")));
        }
    }

    AttemptStore store(path);
    store.setBusyTimeout(0);
    QVERIFY(!store.open());
    QVERIFY2(store.error().contains(reason), qPrintable(store.error()));
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
    QCOMPARE(store.load(recorder.id())->elapsedSeconds, stored);
    recorder.save(ticks, 1); // leaving the exam writes the clock at once
    QCOMPARE(store.load(recorder.id())->elapsedSeconds, ticks);
}

QTEST_GUILESS_MAIN(TestAttemptStore)
#include "tst_AttemptStore.moc"
