// The exam's use of the store: continuing an interrupted attempt or not, and
// the questions before leaving and finishing. (Without a store: the exam
// window's tests.)
#include "attempts/AttemptSession.h"
#include "attempts/AttemptStore.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvora::attempts;

namespace {

const PaperIdentity Paper{QStringLiteral("/d/simu/p.pdf"), QStringLiteral("/d/"), QStringLiteral("k1")};
const std::vector<std::string> Key = {"1", "2", "3", "4"};

struct Dialogue {
    QStringList asked;
    QStringList told;
    QList<bool> answers;
    AttemptSession::Ask ask()
    {
        return [this](const QString& q) {
            asked << q;
            return answers.isEmpty() || answers.takeFirst();
        };
    }
    AttemptSession::Tell tell()
    {
        return [this](const QString& m) { told << m; };
    }
};

} // namespace

class TestAttemptSession : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void interruptedAttemptIsOffered_data();
    void interruptedAttemptIsOffered();
    void blankQuestionsAreCounted_data();
    void blankQuestionsAreCounted();
};

void TestAttemptSession::interruptedAttemptIsOffered_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("continue") << true;
    QTest::newRow("start afresh") << false;
}

void TestAttemptSession::interruptedAttemptIsOffered()
{
    QFETCH(bool, yes);
    QTemporaryDir dir;
    AttemptStore store(dir.filePath(QStringLiteral("a.sqlite")));
    QVERIFY(store.open());
    Dialogue d;
    qint64 oldId = 0;
    {
        AttemptSession first(&store, d.ask(), d.tell());
        QVERIFY(!first.start(Paper, QStringLiteral("P"), Key).resumed);
        QVERIFY(d.asked.isEmpty()); // nothing to continue yet
        first.answered(1, {"#", "2", "#", "#"}, 1);
        first.answered(2, {"#", "2", "5", "#"}, 2);
        first.tick(10, 2);
        first.tick(11, 2); // lost with the program: at most ten seconds of clock
        oldId = first.attemptId();
    } // the program ends; its claim on the attempt with it

    AttemptSession second(&store, d.ask(), d.tell()); // the program started again
    d.answers = {yes};
    const auto start = second.start(Paper, QStringLiteral("P"), Key);
    QCOMPARE(d.asked.size(), 1);
    QVERIFY2(d.asked[0].contains(QStringLiteral("2 de 4 questões respondidas"))
                 && d.asked[0].contains(QStringLiteral("10 s")),
             qPrintable(d.asked[0]));
    QCOMPARE(start.resumed, yes);
    QCOMPARE(second.attemptId() == oldId, yes);
    if (yes) {
        QCOMPARE(start.answers, (std::vector<std::string>{"#", "2", "5", "#"}));
        QCOMPARE(start.currentQuestion, 2);
        QCOMPARE(start.elapsedSeconds, 10);
    }
    second.finish(30, {"1", "2", "5", "#"});
    const auto old = store.load(oldId).value();
    QCOMPARE(old->finished, yes); // declined, the old attempt stays interrupted
    QCOMPARE(int(store.summaries().value().size()), yes ? 1 : 2);
    QVERIFY(d.told.isEmpty());
}

void TestAttemptSession::blankQuestionsAreCounted_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("asked");
    QTest::newRow("none blank, no question") << QStringList{"1", "2"} << "";
    QTest::newRow("one blank") << QStringList{"1", "#"} << "1 questão está em branco";
    QTest::newRow("three blank") << QStringList{"#", "#", "#", "4"} << "3 questões estão em branco";
}

void TestAttemptSession::blankQuestionsAreCounted()
{
    QFETCH(QStringList, answers);
    QFETCH(QString, asked);
    Dialogue d;
    d.answers = {false};
    AttemptSession session(nullptr, d.ask(), d.tell());
    std::vector<std::string> given;
    for (const QString& a : answers)
        given.push_back(a.toStdString());
    QCOMPARE(session.confirmFinish(given), asked.isEmpty());
    QCOMPARE(d.asked.size(), asked.isEmpty() ? 0 : 1);
    if (!asked.isEmpty())
        QVERIFY2(d.asked[0].startsWith(asked), qPrintable(d.asked[0]));
    d.answers = {false};
    QVERIFY(!session.confirmLeave());
    QVERIFY(d.asked.last().contains(QStringLiteral("retomada")));
}

QTEST_GUILESS_MAIN(TestAttemptSession)
#include "tst_AttemptSession.moc"
