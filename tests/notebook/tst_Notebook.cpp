// The notebook over a real attempt store: which questions it holds after
// finished attempts (latest answer wins; wrong, blank and guessed answers
// count), review sessions (kept apart from every paper's history, resumable,
// moving questions along their schedule), the migration of older stores,
// the statistics across papers and the CSV.
#include "attempts/AttemptStore.h"
#include "attempts/HistoryModel.h"
#include "attempts/QuestionStore.h"
#include "notebook/Notebook.h"
#include "notebook/NotebookCsv.h"
#include "notebook/NotebookPapers.h"
#include "notebook/NotebookStats.h"
#include "notebook/NotebookTableModel.h"
#include "notebook/ReviewSession.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvora::notebook;
using zelvora::attempts::AttemptStore;
using zelvora::attempts::PaperIdentity;
using zelvora::attempts::StoreError;

namespace {

// "question:status:missed" for every item, in question order.
QStringList Describe(const std::vector<NotebookItem>& items)
{
    QStringList out;
    for (const auto& it : items)
        out << QStringLiteral("%1:%2:%3").arg(it.question + 1).arg(int(it.status)).arg(it.missed);
    return out;
}

} // namespace

class TestNotebook : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void latestAnswerWins_data();
    void latestAnswerWins();
    void guessesBlanksSubjectsAndAnnulled();
    void changedKeyJudgesNothing();
    void reviewSessionNeverFeedsPaperHistory();
    void reviewMovesQuestionsAlong_data();
    void reviewMovesQuestionsAlong();
    void reviewSessionResumes();
    void olderStoresMigrateOnceNewerRefused_data();
    void olderStoresMigrateOnceNewerRefused();
    void statisticsAcrossPapers();
    void csvKeepsHistoryConventions();
};

void TestNotebook::latestAnswerWins_data()
{
    // Key "1 2 3 4"; each attempt's answers, in the order they ended.
    QTest::addColumn<QList<QStringList>>("attempts");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("all right") << QList<QStringList>{{"1", "2", "3", "4"}} << QStringList{};
    QTest::newRow("one wrong one blank") << QList<QStringList>{{"1", "5", "#", "4"}} << QStringList{"2:1:1", "3:2:1"};
    QTest::newRow("right later leaves") << QList<QStringList>{{"5", "5", "3", "4"}, {"1", "5", "3", "4"}}
                                        << QStringList{"2:1:2"};
    QTest::newRow("missed again comes back counted")
        << QList<QStringList>{{"5", "2", "3", "4"}, {"1", "2", "3", "4"}, {"#", "2", "3", "4"}} << QStringList{"1:2:2"};
    QTest::newRow("wrong after blank shows wrong")
        << QList<QStringList>{{"#", "2", "3", "4"}, {"3", "2", "3", "4"}} << QStringList{"1:1:2"};
}

void TestNotebook::latestAnswerWins()
{
    QFETCH(QList<QStringList>, attempts);
    QFETCH(QStringList, expected);
    NotebookFixture f;
    QVERIFY(f.store.open());
    const PaperIdentity paper = WritePaper(f.dir, QStringLiteral("p"), {"1", "2", "3", "4"});
    for (const QStringList& answers : attempts)
        f.finish(paper, QStringLiteral("Técnico - Banca Guará - 2009"), answers);
    const auto items = f.items();
    QCOMPARE(Describe(items), expected);
    for (const auto& it : items) {
        QCOMPARE(it.board, QStringLiteral("Banca Guará"));
        QCOMPARE(it.year, QStringLiteral("2009"));
        QCOMPARE(it.schedule.dueDay, f.notebook.today() + 1); // a miss comes back tomorrow
    }
    // Folding in is done once: reading again changes nothing.
    QCOMPARE(f.notebook.catchUp().value(), 0);
    QCOMPARE(Describe(f.items()), expected);
}

void TestNotebook::guessesBlanksSubjectsAndAnnulled()
{
    NotebookFixture f;
    QVERIFY(f.store.open());
    const PaperIdentity paper = WritePaper(f.dir, QStringLiteral("ce"), {"C", "E", "C", "E", "C"},
                                           QStringLiteral("tipo=certo-errado\r\nanuladas=4\r\n"
                                                          "disciplina=Portugu\xeas: 1-2\r\n"
                                                          "disciplina=Direito: 3-5\r\n"));
    // The attempt's guesses are the marks the store keeps with it.
    const qint64 guessed = f.finish(paper, QStringLiteral("Prova CE"), {"C", "E", "#", "C", "E"});
    QVERIFY(zelvora::attempts::QuestionStore(f.store).setGuess(guessed, 0, true));
    const auto items = f.items();
    // Question 1 right but guessed, 3 blank, 4 annulled (never a miss), 5 wrong.
    QCOMPARE(Describe(items), (QStringList{"1:3:1", "3:2:1", "5:1:1"}));
    QCOMPARE(items[0].subject, QStringLiteral("Português"));
    QCOMPARE(items[1].subject, QStringLiteral("Direito"));
    QVERIFY(items[2].rightWrong);
    QCOMPARE(items[2].keyLetter(), QStringLiteral("C"));
    // The paper's length, for finding where its questions start.
    QCOMPARE(items[2].questionCount, 5);
}

void TestNotebook::changedKeyJudgesNothing()
{
    NotebookFixture f;
    QVERIFY(f.store.open());
    const PaperIdentity paper = WritePaper(f.dir, QStringLiteral("p"), {"1", "2"});
    f.finish(paper, QStringLiteral("P"), {"5", "5"});
    // The key was corrected after the attempt: that attempt cannot be judged.
    WritePaper(f.dir, QStringLiteral("p"), {"5", "2"});
    QVERIFY(f.items().empty());
    QCOMPARE(f.notebook.catchUp().value(), 0);
}

void TestNotebook::reviewSessionNeverFeedsPaperHistory()
{
    NotebookFixture f;
    QVERIFY(f.store.open());
    const PaperIdentity paper = WritePaper(f.dir, QStringLiteral("p"), {"1", "2", "3"});
    f.finish(paper, QStringLiteral("P"), {"5", "5", "3"}, 1);
    const auto before = f.store.summaries().value();
    auto items = f.items();
    QCOMPARE(items.size(), size_t(2));
    auto session = ReviewSession::Start(f.notebook, {items[0].id, items[1].id});
    QVERIFY(session);
    QVERIFY(session->answer(0, "1"));
    // Left unfinished, it is no interrupted attempt of the paper either.
    QVERIFY(!f.store.findInterrupted(paper).value());
    QVERIFY(session->finish(30));
    const auto after = f.store.summaries().value();
    QCOMPARE(after.size(), before.size());
    zelvora::attempts::HistoryModel history;
    history.reload(f.store);
    QCOMPARE(history.rowCount(), 1);
    // Nor folded in as a paper attempt, nor counted by the statistics.
    QCOMPARE(f.notebook.catchUp().value(), 0);
    const auto stats = NotebookStats::Compute(f.notebook);
    QVERIFY(stats);
    QCOMPARE(stats->attempts, 1);
    QCOMPARE(stats->boards.front().hits, 1);
}

void TestNotebook::reviewMovesQuestionsAlong_data()
{
    // The day after the miss and then on each due day, the answer given in
    // a review of question 1 (key "2"); the days it is due after each, and
    // whether it is still in the notebook.
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QList<int>>("dueInDays");
    QTest::addColumn<bool>("stillIn");
    QTest::newRow("right pushes out, mastered leaves") << QStringList{"2", "2", "2"} << QList<int>{6, 12, 0} << false;
    QTest::newRow("wrong brings it back tomorrow") << QStringList{"2", "4"} << QList<int>{6, 1} << true;
    QTest::newRow("blank is a miss") << QStringList{"#"} << QList<int>{1} << true;
    QTest::newRow("wrong restarts the streak")
        << QStringList{"2", "2", "1", "2", "2"} << QList<int>{6, 12, 1, 6, 9} << true;
}

void TestNotebook::reviewMovesQuestionsAlong()
{
    QFETCH(QStringList, answers);
    QFETCH(QList<int>, dueInDays);
    QFETCH(bool, stillIn);
    NotebookFixture f;
    QVERIFY(f.store.open());
    const PaperIdentity paper = WritePaper(f.dir, QStringLiteral("p"), {"2", "3"});
    f.finish(paper, QStringLiteral("P"), {"1", "3"});
    const qint64 id = f.items().at(0).id;
    for (int i = 0; i < answers.size(); ++i) {
        // The clock moves on to the day the question is due.
        f.now = f.now.addDays(f.notebook.item(id)->schedule.dueDay - f.notebook.today());
        QCOMPARE(f.notebook.dueToday().value(), 1);
        auto session = ReviewSession::Start(f.notebook, {id});
        QVERIFY(session);
        QVERIFY(session->answer(0, answers[i].toStdString()));
        QVERIFY(session->finish(10));
        const auto item = f.notebook.item(id);
        if (dueInDays[i] > 0)
            QCOMPARE(item->schedule.dueDay - f.notebook.today(), dueInDays[i]);
        QCOMPARE(f.notebook.dueToday().value(), 0);
    }
    QCOMPARE(f.items().size(), size_t(stillIn ? 1 : 0));
}

void TestNotebook::reviewSessionResumes()
{
    NotebookFixture f;
    QVERIFY(f.store.open());
    const PaperIdentity a = WritePaper(f.dir, QStringLiteral("a"), {"1", "2"});
    const PaperIdentity b = WritePaper(f.dir, QStringLiteral("b"), {"C", "E"}, QStringLiteral("tipo=certo-errado\r\n"));
    f.finish(a, QStringLiteral("A"), {"5", "2"});
    f.finish(b, QStringLiteral("B"), {"C", "C"});
    const auto items = f.items();
    QCOMPARE(items.size(), size_t(2));
    {
        auto session = ReviewSession::Start(f.notebook, {items[1].id, items[0].id});
        QVERIFY(session);
        QVERIFY(session->answer(0, "E"));
        QVERIFY(session->saveProgress(25, 1));
        // While this one holds it, no other window is offered the session.
        const auto held = ReviewSession::FindInterrupted(f.notebook);
        QVERIFY(held && !held->has_value());
    }
    f.store.close();
    QVERIFY(f.store.open());
    auto found = ReviewSession::FindInterrupted(f.notebook);
    QVERIFY(found && found->has_value());
    ReviewSession& s = *found.value();
    QCOMPARE(s.questions().size(), size_t(2));
    QCOMPARE(s.questions()[0].paperName, QStringLiteral("B"));
    QCOMPARE(s.answers(), (std::vector<std::string>{"E", "#"}));
    QCOMPARE(s.current(), 1);
    QCOMPARE(s.elapsedSeconds(), 25);
    QVERIFY(s.answer(1, "1"));
    // Each question scored against its own paper's key.
    const auto outcomes = s.finish(40);
    QVERIFY(outcomes);
    QCOMPARE(outcomes.value(), (std::vector<Outcome>{Outcome::Right, Outcome::Right}));
    QVERIFY(!ReviewSession::FindInterrupted(f.notebook)->has_value());
    QVERIFY(!ReviewSession::Start(f.notebook, {}));
}

void TestNotebook::olderStoresMigrateOnceNewerRefused_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("opens");
    QTest::newRow("version 1") << 1 << true;
    QTest::newRow("version 2") << 2 << true;
    QTest::newRow("version 4") << 4 << true;
    QTest::newRow("version 5") << 5 << true;
    QTest::newRow("newer") << 99 << false;
}

void TestNotebook::olderStoresMigrateOnceNewerRefused()
{
    QFETCH(int, version);
    QFETCH(bool, opens);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("attempts.sqlite"));
    const PaperIdentity paper = WritePaper(dir, QStringLiteral("p"), {"1", "2"});
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
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
        if (version >= 2)
            QVERIFY(q.exec(QStringLiteral("ALTER TABLE attempt ADD COLUMN saved_at INTEGER")));
        if (version >= 4)
            QVERIFY(q.exec(QStringLiteral("CREATE TABLE key_revision (id INTEGER PRIMARY KEY, attempt_id INTEGER,"
                                          " old_key_hash TEXT, new_key_hash TEXT, hits_before INTEGER,"
                                          " hits_after INTEGER, questions_before INTEGER, questions_after INTEGER,"
                                          " revised_at INTEGER)")));
        if (version >= 5) {
            for (const char* sql : zelvora::attempts::QuestionStore::Schema())
                QVERIFY2(q.exec(QString::fromLatin1(sql)), sql);
            QVERIFY(q.exec(QStringLiteral("INSERT INTO question_note VALUES ('abc', 2, 'rever crase')")));
        }
        QVERIFY(q.exec(QStringLiteral("INSERT INTO attempt (id, paper_name, pdf_path, data_folder, key_hash,"
                                      " question_count, started_at, ended_at, finished)"
                                      " VALUES (1, 'P', '%1', '%2', '%3', 2, 1000, 2000, 1)")
                           .arg(paper.pdfPath, paper.dataFolder, paper.keyHash)));
        QVERIFY(q.exec(QStringLiteral("INSERT INTO answer VALUES (1, 0, '4')")));
        QVERIFY(q.exec(QStringLiteral("PRAGMA user_version=%1").arg(version)));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("old"));
    const auto bytes = [&path] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray before = bytes();
    QVERIFY(!before.isEmpty());
    AttemptStore store(path);
    QCOMPARE(bool(store.open()), opens);
    if (!opens) {
        QCOMPARE(store.status().code(), StoreError::NewerVersion);
        store.close();
        // Nothing of it was migrated, dropped or rewritten.
        QCOMPARE(bytes(), before);
        QVERIFY(!QFile::exists(path + QStringLiteral("-wal")));
        return;
    }
    QCOMPARE(store.userVersion(), AttemptStore::SchemaVersion);
    // What the earlier steps kept is still there.
    if (version >= 5)
        QCOMPARE(zelvora::attempts::QuestionStore(store).notes(QStringLiteral("abc")).at(2),
                 QStringLiteral("rever crase"));
    Notebook notebook(store);
    // The attempt finished before the notebook existed is folded in once.
    const auto items = notebook.items();
    QVERIFY(items);
    QCOMPARE(Describe(items.value()), (QStringList{"1:1:1", "2:2:1"}));
    store.close();
    QVERIFY(store.open());
    QCOMPARE(notebook.catchUp().value(), 0);
}

void TestNotebook::statisticsAcrossPapers()
{
    NotebookFixture f;
    QVERIFY(f.store.open());
    const PaperIdentity a = WritePaper(f.dir, QStringLiteral("a"), {"1", "2", "3", "4"},
                                       QStringLiteral("disciplina=Direito: 1-2\r\ndisciplina=Inform\xe1tica: 3-4\r\n"));
    const PaperIdentity b = WritePaper(f.dir, QStringLiteral("b"), {"1", "1"},
                                       QStringLiteral("disciplina=Direito: 1-2\r\n"));
    f.finish(a, QStringLiteral("Técnico - Banca Guará - 2009"), {"1", "2", "#", "4"}, 3);
    f.now = f.now.addMonths(1);
    const qint64 timed = f.finish(b, QStringLiteral("Analista - Fundação Ventania - 2010"), {"2", "1"}, 1);
    // The second attempt kept its time per question: 10 s and 20 s count,
    // not its clock's 90 s; the first, without times, counts its clock.
    QVERIFY(zelvora::attempts::QuestionStore(f.store).saveSeconds(timed, {10, 20}));
    const auto stats = NotebookStats::Compute(f.notebook);
    QVERIFY(stats);
    QCOMPARE(stats->attempts, 2);
    // Informática 1 of 2 (50%) before Direito 3 of 4 (75%).
    QCOMPARE(stats->subjects.size(), size_t(2));
    QCOMPARE(stats->subjects[0].name, QStringLiteral("Informática"));
    QCOMPARE(stats->subjects[0].hits, 1);
    QCOMPARE(stats->subjects[1].name, QStringLiteral("Direito"));
    QCOMPARE(stats->subjects[1].hits, 3);
    QCOMPARE(stats->subjects[1].total, 4);
    QCOMPARE(stats->boards[0].name, QStringLiteral("Fundação Ventania"));
    QCOMPARE(stats->subjectLines.at(QStringLiteral("Direito")).size(), size_t(2));
    QCOMPARE(stats->secondsPerQuestion, (90.0 + 30.0) / 6);
    QCOMPARE(stats->boards[0].secondsPerQuestion, 30.0 / 2);
}

void TestNotebook::csvKeepsHistoryConventions()
{
    NotebookFixture f;
    QVERIFY(f.store.open());
    const PaperIdentity a = WritePaper(f.dir, QStringLiteral("a"), {"1", "2"});
    f.finish(a, QStringLiteral("=Prova \"A\" - Banca - 2009"), {"5", "2"});
    auto items = f.items();
    QVERIFY(f.notebook.setNote(items[0].id, QStringLiteral("+revisar crase")));
    NotebookTableModel model;
    model.setItems(f.items(), f.notebook.today());
    const QByteArray csv = NotebookCsv::Make(model, QLocale(QLocale::Portuguese, QLocale::Brazil));
    QVERIFY(csv.startsWith("\xEF\xBB\xBF\"Prova\";\"Banca\";\"Ano\""));
    const QString text = QString::fromUtf8(csv.mid(3));
    const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[1].startsWith(QStringLiteral("\"'=Prova \"\"A\"\" - Banca - 2009\";\"Banca\";\"2009\"")),
             qPrintable(lines[1]));
    QVERIFY(lines[1].contains(QStringLiteral("\"'+revisar crase\"")));
    QVERIFY(lines[1].endsWith(QStringLiteral("\"A\";\"1,96\"")));
    const QByteArray english = NotebookCsv::Make(model, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(english.contains("\",\"1.96\""));
}

QTEST_GUILESS_MAIN(TestNotebook)
#include "tst_Notebook.moc"
