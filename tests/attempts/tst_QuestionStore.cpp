// What the store keeps per question: a paper's map with the user's places
// apart, notes across attempts, and per attempt the time on each question and
// the guess marks; an older file gains the tables and its attempts show no
// times.
#include "attempts/AttemptStore.h"
#include "attempts/QuestionStore.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvora::attempts;
using zelvora::mockexam::QuestionPlace;

namespace {

const PaperIdentity Paper{QStringLiteral("/dados/simu/p.pdf"), QStringLiteral("/dados/"), QStringLiteral("abc")};

} // namespace

class TestQuestionStore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void olderFileGainsTheTables();
    void mapKeepsTheUsersPlaces();
    void notesAcrossAttempts_data();
    void notesAcrossAttempts();
    void timesAndGuessesBelongToTheAttempt();
    void closedStoreKeepsNothing();
    void refusedWritesSayWhyAndKeepNothing();
};

void TestQuestionStore::olderFileGainsTheTables()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("attempts.sqlite"));
    qint64 id = 0;
    {
        AttemptStore store(path);
        QVERIFY(store.open());
        id = *store.begin(Paper, QStringLiteral("Prova"), 3);
    }
    {
        // The file as the version before the question tables left it.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        for (const char* table : {"paper_map", "question_place", "question_note", "question_time", "question_guess"})
            QVERIFY(q.exec(QStringLiteral("DROP TABLE %1").arg(QLatin1String(table))));
        QVERIFY(q.exec(QStringLiteral("ALTER TABLE attempt DROP COLUMN paper_hash")));
        // Nor had it the notebook's, which came after.
        for (const char* sql : {"DROP INDEX attempt_unnoted", "DROP TABLE notebook_item", "DROP TABLE review_question",
                                "DROP TABLE attempt_subject", "ALTER TABLE attempt DROP COLUMN kind",
                                "ALTER TABLE attempt DROP COLUMN noted"})
            QVERIFY2(q.exec(QLatin1String(sql)), sql);
        QVERIFY(q.exec(QStringLiteral("PRAGMA user_version=4")));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("old"));

    AttemptStore store(path);
    QVERIFY2(store.open(), store.status().detail().c_str());
    QCOMPARE(store.userVersion(), AttemptStore::SchemaVersion);
    QuestionStore questions(store);
    QVERIFY(questions.seconds(id, 3).empty()); // an older attempt shows no times
    QCOMPARE(questions.guesses(id, 3), std::vector<bool>(3, false));
    QVERIFY(questions.attemptPaper(id).isEmpty());
    QVERIFY(questions.setAttemptPaper(id, QStringLiteral("h")));
    QCOMPARE(questions.attemptPaper(id), QStringLiteral("h"));
    QVERIFY(store.load(id));
}

void TestQuestionStore::mapKeepsTheUsersPlaces()
{
    QTemporaryDir dir;
    AttemptStore store(dir.filePath(QStringLiteral("a.sqlite")));
    QVERIFY(store.open());
    QuestionStore questions(store);
    const QString hash = QStringLiteral("0123abcd");
    QVERIFY(!questions.loadMap(hash));
    QVERIFY(!questions.isMapped(hash));

    QVERIFY(questions.saveFound(hash, {}));
    QVERIFY(questions.isMapped(hash)); // mapped, nothing found: not mapped again
    QVERIFY(questions.loadMap(hash)->empty());

    QVERIFY(questions.saveFound(hash, {{1, 0, 100.5}, {2, 0, 400}, {3, 1, 80}}));
    QVERIFY(questions.saveCorrection(hash, {2, 1, 20.25}));
    QVERIFY(questions.saveFound(hash, {{1, 0, 101}, {2, 0, 401}})); // found again: the user's place stays
    const auto map = questions.loadMap(hash);
    QVERIFY(map);
    QCOMPARE(map->found().size(), std::size_t(2));
    QCOMPARE(*map->placeOf(1), (QuestionPlace{1, 0, 101}));
    QCOMPARE(*map->placeOf(2), (QuestionPlace{2, 1, 20.25}));
    QVERIFY(!map->placeOf(3));
    QCOMPARE(*questions.placeOf(hash, 2), (QuestionPlace{2, 1, 20.25}));
    QVERIFY(!questions.loadMap(QStringLiteral("other")));
}

void TestQuestionStore::notesAcrossAttempts_data()
{
    QTest::addColumn<QStringList>("writes"); // "number=note", in order
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("one") << QStringList{QStringLiteral("3=rever crase")}
                         << QStringList{QStringLiteral("3=rever crase")};
    QTest::newRow("replaced") << QStringList{QStringLiteral("3=a"), QStringLiteral("3=b")}
                              << QStringList{QStringLiteral("3=b")};
    QTest::newRow("emptied removes") << QStringList{QStringLiteral("3=a"), QStringLiteral("3=  ")} << QStringList{};
    QTest::newRow("ordered, trimmed, quotes")
        << QStringList{QStringLiteral("12= ver \"Súmula\" 473 "), QStringLiteral("2=x")}
        << QStringList{QStringLiteral("2=x"), QStringLiteral("12=ver \"Súmula\" 473")};
}

void TestQuestionStore::notesAcrossAttempts()
{
    QFETCH(QStringList, writes);
    QFETCH(QStringList, kept);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.sqlite"));
    {
        AttemptStore store(path);
        QVERIFY(store.open());
        QuestionStore questions(store);
        for (const QString& w : writes)
            QVERIFY(questions.saveNote(QStringLiteral("h"), w.section(QLatin1Char('='), 0, 0).toInt(),
                                       w.section(QLatin1Char('='), 1)));
    }
    AttemptStore store(path); // a later attempt, the program started again
    QVERIFY(store.open());
    QStringList got;
    for (const auto& [number, note] : QuestionStore(store).notes(QStringLiteral("h")))
        got << QString::number(number) + QLatin1Char('=') + note;
    QCOMPARE(got, kept);
    QVERIFY(QuestionStore(store).notes(QStringLiteral("other")).empty());
}

void TestQuestionStore::timesAndGuessesBelongToTheAttempt()
{
    QTemporaryDir dir;
    AttemptStore store(dir.filePath(QStringLiteral("a.sqlite")));
    QVERIFY(store.open());
    QuestionStore questions(store);
    const qint64 first = *store.begin(Paper, QStringLiteral("Prova"), 4);
    const qint64 second = *store.begin(Paper, QStringLiteral("Prova"), 4);

    QVERIFY(questions.saveSeconds(first, {0, 0, 0, 0}));
    QCOMPARE(questions.seconds(first, 4), (std::vector<qint64>{0, 0, 0, 0})); // kept, though all zero
    QVERIFY(questions.saveSeconds(first, {5, 0, 12, 3}));
    QCOMPARE(questions.seconds(first, 4), (std::vector<qint64>{5, 0, 12, 3}));
    QVERIFY(questions.seconds(second, 4).empty());

    QVERIFY(questions.setGuess(first, 1, true));
    QVERIFY(questions.setGuess(first, 3, true));
    QVERIFY(questions.setGuess(first, 3, true)); // twice is once
    QVERIFY(questions.setGuess(first, 1, false));
    QCOMPARE(questions.guesses(first, 4), (std::vector<bool>{false, false, false, true}));
    QCOMPARE(questions.guesses(second, 4), std::vector<bool>(4, false));
    QCOMPARE(questions.guesses(first, 2), std::vector<bool>(2, false)); // outside the count: left out

    QVERIFY(store.remove(first)); // the attempt's times and marks go with it
    QVERIFY(questions.seconds(first, 4).empty());
    QVERIFY(questions.setGuess(first, 0, true)); // on a deleted attempt: nothing
    QCOMPARE(questions.guesses(first, 4), std::vector<bool>(4, false));
    QVERIFY(questions.saveSeconds(first, {1, 2, 3, 4}));
    QVERIFY(questions.seconds(first, 4).empty());
}

void TestQuestionStore::closedStoreKeepsNothing()
{
    AttemptStore store(QStringLiteral("/nonexistent/dir/a.sqlite"));
    QuestionStore questions(store);
    QCOMPARE(questions.saveFound(QStringLiteral("h"), {{1, 0, 1}}).code(), StoreError::NotOpen);
    QVERIFY(!questions.loadMap(QStringLiteral("h")));
    QCOMPARE(questions.saveNote(QStringLiteral("h"), 1, QStringLiteral("x")).code(), StoreError::NotOpen);
    QVERIFY(questions.notes(QStringLiteral("h")).empty());
    QCOMPARE(questions.setGuess(1, 0, true).code(), StoreError::NotOpen);
    QVERIFY(questions.seconds(1, 3).empty());
}

void TestQuestionStore::refusedWritesSayWhyAndKeepNothing()
{
    QTemporaryDir dir;
    AttemptStore store(dir.filePath(QStringLiteral("attempts.sqlite")));
    QVERIFY(store.open());
    const qint64 id = *store.begin(Paper, QStringLiteral("Prova"), 3);
    {
        // Every row written into the question tables is refused, as a full disk would.
        QSqlQuery q(QSqlDatabase::database(store.connectionName(), false));
        for (const char* table : {"question_place", "question_note", "question_time", "question_guess"})
            QVERIFY(q.exec(QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE INSERT ON %1"
                                          " BEGIN SELECT RAISE(ABORT, 'refused'); END")
                               .arg(QLatin1String(table))));
        QVERIFY(q.exec(QStringLiteral("CREATE TRIGGER refuse_paper BEFORE UPDATE OF paper_hash ON attempt"
                                      " BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    }
    QuestionStore questions(store);
    const QString h = QStringLiteral("h");
    const std::pair<const char*, StoreResult> writes[] = {
        {"saveFound", questions.saveFound(h, {{1, 0, 1}})},
        {"saveCorrection", questions.saveCorrection(h, {1, 0, 1})},
        {"saveNote", questions.saveNote(h, 1, QStringLiteral("x"))},
        {"setAttemptPaper", questions.setAttemptPaper(id, h)},
        {"saveSeconds", questions.saveSeconds(id, {1, 2, 3})},
        {"setGuess", questions.setGuess(id, 0, true)},
    };
    for (const auto& [name, result] : writes) {
        QVERIFY2(!result, name);
        QCOMPARE(result.code(), StoreError::Failed);
        QVERIFY2(result.detail().find("refused") != std::string::npos, result.detail().c_str());
    }
    // The rows a refused write had already made went back with it.
    QVERIFY(!questions.isMapped(h));
    QVERIFY(questions.seconds(id, 3).empty());
    QVERIFY(questions.attemptPaper(id).isEmpty());
}

QTEST_GUILESS_MAIN(TestQuestionStore)
#include "tst_QuestionStore.moc"
