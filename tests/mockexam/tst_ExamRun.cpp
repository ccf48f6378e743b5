// The exam run without a window: its phases and what each act does in each,
// finishing by the user (asked about blank questions) and by the clock (not
// asked), the review, and leaving a paper; and the paper bundle's outcomes.
#include "ExamFolder.h"

#include "mockexam/ExamRun.h"
#include "mockexam/PaperBundle.h"

#include <QTest>

using namespace zelvora::mockexam;

Q_DECLARE_METATYPE(RunPhase)

namespace {

PaperBundle Paper(std::vector<std::string> key)
{
    PaperBundle p;
    p.key = std::move(key);
    p.identity.pdfPath = QStringLiteral("/p.pdf");
    return p;
}

// A run over no store whose questions are answered by `yes` and counted.
struct Harness {
    bool yes = true;
    int asked = 0;
    int changes = 0;
    ExamRun run{nullptr, [this](const QString&) { return ++asked, yes; }, [](const QString&) {}};
    Harness()
    {
        run.onChanged = [this] { ++changes; };
    }
};

// Brings a fresh run into phase: idle, running (2 questions, limit 3 s),
// finished (by the user, one answer blank), reviewing (question 1).
void Reach(Harness& h, RunPhase phase)
{
    if (phase == RunPhase::Idle)
        return;
    h.run.start(Paper({"1", "2"}), QStringLiteral("P"), 3);
    if (phase == RunPhase::Running)
        return;
    QVERIFY(h.run.answer(0));
    QVERIFY(h.run.finish());
    if (phase == RunPhase::Reviewing)
        QVERIFY(h.run.enterReview(1));
}

} // namespace

class TestExamRun : public QObject {
    Q_OBJECT
private slots:
    void actsByPhase_data();
    void actsByPhase();
    void finishAsksAboutBlanksOnce_data();
    void finishAsksAboutBlanksOnce();
    void timeUpFinishesWithoutAsking();
    void unlimitedRunCountsUp();
    void reviewLocksAnswersAndReturns();
    void scoreUsesTheAnswersGiven();
    void bundleOutcomes_data();
    void bundleOutcomes();
};

void TestExamRun::actsByPhase_data()
{
    QTest::addColumn<RunPhase>("phase");
    QTest::addColumn<QString>("act");
    QTest::addColumn<bool>("done");
    QTest::addColumn<RunPhase>("after");
    using P = RunPhase;
    QTest::newRow("idle answer") << P::Idle << QString("answer") << false << P::Idle;
    QTest::newRow("idle finish") << P::Idle << QString("finish") << false << P::Idle;
    QTest::newRow("idle review") << P::Idle << QString("review") << false << P::Idle;
    QTest::newRow("idle tick") << P::Idle << QString("tick") << false << P::Idle;
    QTest::newRow("running answer") << P::Running << QString("answer") << true << P::Running;
    QTest::newRow("running review") << P::Running << QString("review") << false << P::Running;
    QTest::newRow("running tick") << P::Running << QString("tick") << true << P::Running;
    QTest::newRow("running finish") << P::Running << QString("finish") << true << P::Finished;
    QTest::newRow("running mark") << P::Running << QString("mark") << true << P::Running;
    QTest::newRow("running reset") << P::Running << QString("reset") << true << P::Idle;
    QTest::newRow("finished answer") << P::Finished << QString("answer") << true << P::Finished;
    QTest::newRow("finished tick") << P::Finished << QString("tick") << false << P::Finished;
    QTest::newRow("finished finish") << P::Finished << QString("finish") << true << P::Finished;
    QTest::newRow("finished review") << P::Finished << QString("review") << true << P::Reviewing;
    QTest::newRow("reviewing answer") << P::Reviewing << QString("answer") << false << P::Reviewing;
    QTest::newRow("reviewing mark") << P::Reviewing << QString("mark") << false << P::Reviewing;
    QTest::newRow("reviewing tick") << P::Reviewing << QString("tick") << false << P::Reviewing;
    QTest::newRow("reviewing leave") << P::Reviewing << QString("leave review") << true << P::Finished;
}

void TestExamRun::actsByPhase()
{
    QFETCH(RunPhase, phase);
    QFETCH(QString, act);
    QFETCH(bool, done);
    QFETCH(RunPhase, after);
    Harness h;
    Reach(h, phase);
    QCOMPARE(h.run.phase(), phase);
    const long long elapsed = h.run.elapsedSeconds();
    bool got = false;
    if (act == "answer")
        got = (h.run.answer(1), h.run.answers().storedOption(h.run.answers().current()) == 1);
    else if (act == "finish")
        got = h.run.finish();
    else if (act == "review")
        got = h.run.enterReview(0);
    else if (act == "tick")
        got = (h.run.tick(), h.run.elapsedSeconds() == elapsed + 1);
    else if (act == "mark")
        got = h.run.toggleReviewMark();
    else if (act == "reset")
        got = (h.run.reset(), true);
    else if (act == "leave review")
        got = (h.run.leaveReview(), true);
    QCOMPARE(got, done);
    QCOMPARE(h.run.phase(), after);
}

void TestExamRun::finishAsksAboutBlanksOnce_data()
{
    QTest::addColumn<int>("answered");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<int>("asked");
    QTest::addColumn<bool>("finished");
    QTest::newRow("all answered") << 2 << false << 0 << true;
    QTest::newRow("blank, agreed") << 1 << true << 1 << true;
    QTest::newRow("blank, refused") << 1 << false << 1 << false;
}

void TestExamRun::finishAsksAboutBlanksOnce()
{
    QFETCH(int, answered);
    QFETCH(bool, yes);
    QFETCH(int, asked);
    QFETCH(bool, finished);
    Harness h;
    h.yes = yes;
    h.run.start(Paper({"1", "2"}), QStringLiteral("P"), 0);
    for (int q = 0; q < answered; ++q) {
        h.run.select(q);
        h.run.answer(0);
    }
    QCOMPARE(h.run.finish(), finished);
    QCOMPARE(h.asked, asked);
    QCOMPARE(h.run.phase(), finished ? RunPhase::Finished : RunPhase::Running);
    if (finished) {
        // Finishing again scores again without asking.
        QVERIFY(h.run.finish());
        QCOMPARE(h.asked, asked);
    }
}

void TestExamRun::timeUpFinishesWithoutAsking()
{
    Harness h;
    h.yes = false; // a question would keep the run going
    h.run.start(Paper({"1", "2", "3"}), QStringLiteral("P"), 2);
    QVERIFY(h.run.answer(2));
    QCOMPARE(h.run.tick(), CountdownEvent::None);
    QCOMPARE(h.run.phase(), RunPhase::Running);
    QCOMPARE(h.run.tick(), CountdownEvent::TimeUp);
    QCOMPARE(h.asked, 0);
    QCOMPARE(h.run.phase(), RunPhase::Finished);
    QVERIFY(h.run.timeRanOut());
    QVERIFY(h.run.answersLocked());
    // Answers stay as they were when the time ran out.
    QVERIFY(!h.run.answer(0));
    QCOMPARE(h.run.answers().answers(), (std::vector<std::string>{"3", "#", "#"}));
    QCOMPARE(h.run.elapsedSeconds(), 2LL);
    // The clock does not go on.
    h.run.tick();
    QCOMPARE(h.run.elapsedSeconds(), 2LL);
    QCOMPARE(h.run.score().hits, 0);
    QCOMPARE(h.run.score().seconds, 2LL);
}

void TestExamRun::unlimitedRunCountsUp()
{
    Harness h;
    h.run.start(Paper({"1"}), QStringLiteral("P"), 0);
    QVERIFY(!h.run.countdown().limited());
    for (int i = 0; i < 5; ++i)
        QCOMPARE(h.run.tick(), CountdownEvent::None);
    QCOMPARE(h.run.elapsedSeconds(), 5LL);
    QCOMPARE(h.run.phase(), RunPhase::Running);
    QVERIFY(h.changes >= 6);
}

void TestExamRun::reviewLocksAnswersAndReturns()
{
    Harness h;
    Reach(h, RunPhase::Reviewing);
    QCOMPARE(h.run.answers().current(), 1);
    QVERIFY(h.run.answersLocked());
    QVERIFY(!h.run.enterReview(5)); // no such question
    QCOMPARE(h.run.keyOption(1), 1);
    QCOMPARE(h.run.keyOption(7), -1);
    h.run.leaveReview();
    QVERIFY(!h.run.answersLocked());
    QVERIFY(!h.run.timeRanOut());
}

void TestExamRun::scoreUsesTheAnswersGiven()
{
    Harness h;
    h.run.start(Paper({"1", "2", "3", "4"}), QStringLiteral("P"), 0);
    for (int option : {0, 1, 4}) {
        h.run.answer(option);
        h.run.next();
    }
    h.run.tick();
    QVERIFY(h.run.finish());
    const ExamScore s = h.run.score();
    QCOMPARE(s.hits, 2);
    QCOMPARE(s.answered, 3);
    QCOMPARE(s.seconds, 1LL);
    QCOMPARE(h.run.review().rows().size(), size_t(4));
}

void TestExamRun::bundleOutcomes_data()
{
    QTest::addColumn<bool>("pdf");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<int>("code");
    QTest::newRow("complete") << true << QByteArray("1\r\n2\r\n") << int(PaperCode::Ok);
    QTest::newRow("no paper") << false << QByteArray("1\r\n") << int(PaperCode::NoPaper);
    QTest::newRow("no key") << true << QByteArray() << int(PaperCode::NoKey);
    QTest::newRow("empty key") << true << QByteArray("") << int(PaperCode::NoKey);
}

void TestExamRun::bundleOutcomes()
{
    QFETCH(bool, pdf);
    QFETCH(QByteArray, key);
    QFETCH(int, code);
    ExamFolder folder;
    if (pdf)
        folder.writePdf(QStringLiteral("a.pdf"), QStringLiteral("A"));
    if (!key.isNull())
        folder.write(QStringLiteral("a.txt"), key);
    MockExamEntry entry;
    entry.name = "A";
    entry.pdfPath = "a.pdf";
    const auto got = PaperBundle::Load(QFile::encodeName(folder.mockExamFolder()).toStdString(), entry);
    QCOMPARE(int(got.code()), code);
    if (!got)
        return;
    QCOMPARE(got->key, (std::vector<std::string>{"1", "2"}));
    QCOMPARE(got->keyBytes, key);
    QVERIFY(got->identity.pdfPath.endsWith(QStringLiteral("/a.pdf")));
    QVERIFY(!got->identity.keyHash.isEmpty());
    QVERIFY(!got->info.durationSeconds);
}

QTEST_MAIN(TestExamRun)
#include "tst_ExamRun.moc"
