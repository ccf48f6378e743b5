// One attempt, one owner: a second process is refused the claim while the
// first lives and gets it as soon as the first ends, however it ends; two
// program sessions on one store never write into the same attempt.
#include "attempts/AttemptClaim.h"
#include "attempts/AttemptSession.h"
#include "attempts/AttemptStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

using namespace zelvora::attempts;

namespace {

const PaperIdentity Paper{QStringLiteral("/d/simu/p.pdf"), QStringLiteral("/d/"), QStringLiteral("k1")};
const std::vector<std::string> Key = {"1", "2", "3", "4", "5", "1", "2", "3"};

// The second process. "claim <folder> <id>": holds the claim; "exam <store>":
// a whole session that resumes the paper's interrupted attempt and answers
// questions 0-3 with "5". Prints its state, then waits for its input to end.
int Child(const QStringList& args)
{
    if (args.value(0) == QLatin1String("claim")) {
        AttemptClaim::Outcome outcome;
        auto claim = AttemptClaim::Take(args.value(1).toStdString(), args.value(2).toLongLong(), &outcome);
        std::cout << (claim ? "taken" : "refused") << std::endl;
        std::string line;
        std::getline(std::cin, line);
        return 0;
    }
    AttemptStore store(args.value(1));
    if (!store.open())
        return 2;
    AttemptSession session(
        &store, [](const QString&) { return true; }, [](const QString&) {});
    const auto start = session.start(Paper, QStringLiteral("P"), Key);
    std::vector<std::string> answers = start.answers.empty() ? std::vector<std::string>(Key.size(), "#")
                                                             : start.answers;
    for (int q = 0; q < 4; ++q) {
        answers[size_t(q)] = "5";
        session.answered(q, answers, q);
    }
    std::cout << (start.resumed ? "resumed " : "new ") << session.attemptId() << std::endl;
    std::string line;
    std::getline(std::cin, line);
    return 0;
}

struct Holder {
    QProcess process;
    QString state;
    bool start(const QStringList& args)
    {
        process.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--child")} + args);
        if (!process.waitForStarted(10000) || !process.waitForReadyRead(20000))
            return false;
        state = QString::fromUtf8(process.readLine()).trimmed();
        return true;
    }
    void end(bool kill)
    {
        if (kill)
            ::kill(pid_t(process.processId()), SIGKILL);
        else
            process.closeWriteChannel();
        process.waitForFinished(10000);
    }
};

} // namespace

class TestAttemptClaim : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void claimDiesWithItsProcess_data();
    void claimDiesWithItsProcess();
    void secondWindowStartsItsOwnAttempt();
};

void TestAttemptClaim::claimDiesWithItsProcess_data()
{
    QTest::addColumn<bool>("killed");
    QTest::newRow("holder ends normally") << false;
    QTest::newRow("holder killed with SIGKILL") << true;
}

void TestAttemptClaim::claimDiesWithItsProcess()
{
    QFETCH(bool, killed);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("claims"));
    Holder other;
    QVERIFY(other.start({QStringLiteral("claim"), folder, QStringLiteral("7")}));
    QCOMPARE(other.state, QStringLiteral("taken"));

    AttemptClaim::Outcome outcome;
    QVERIFY(!AttemptClaim::Take(folder.toStdString(), 7, &outcome));
    QCOMPARE(outcome, AttemptClaim::Outcome::HeldElsewhere);
    QVERIFY(AttemptClaim::Take(folder.toStdString(), 8, &outcome)); // another attempt is free
    QCOMPARE(outcome, AttemptClaim::Outcome::Taken);

    other.end(killed);
    {
        const auto mine = AttemptClaim::Take(folder.toStdString(), 7, &outcome);
        QVERIFY(mine);
        // Now the other process is the one refused.
        Holder third;
        QVERIFY(third.start({QStringLiteral("claim"), folder, QStringLiteral("7")}));
        QCOMPARE(third.state, QStringLiteral("refused"));
        third.end(false);
    }
    // A released claim leaves no file behind.
    QVERIFY(!QFile::exists(QString::fromStdString(AttemptClaim::FileFor(folder.toStdString(), 7))));
}

void TestAttemptClaim::secondWindowStartsItsOwnAttempt()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("attempts.sqlite"));
    qint64 interrupted = 0;
    {
        AttemptStore store(path);
        QVERIFY(store.open());
        AttemptSession first(&store, {}, {});
        first.start(Paper, QStringLiteral("P"), Key);
        first.answered(6, {"#", "#", "#", "#", "#", "#", "2", "#"}, 6);
        interrupted = first.attemptId();
    }
    // The other window resumes the interrupted attempt and answers in it.
    Holder other;
    QVERIFY(other.start({QStringLiteral("exam"), path}));
    QCOMPARE(other.state, QStringLiteral("resumed %1").arg(interrupted));

    AttemptStore store(path);
    QVERIFY(store.open());
    QStringList asked, told;
    AttemptSession second(
        &store,
        [&](const QString& q) {
            asked << q;
            return true;
        },
        [&](const QString& m) { told << m; });
    const auto start = second.start(Paper, QStringLiteral("P"), Key);
    QVERIFY(!start.resumed);
    QVERIFY(asked.isEmpty());
    QCOMPARE(told.size(), 1);
    QVERIFY2(told[0].contains(QStringLiteral("aberta em outra janela")), qPrintable(told[0]));
    QVERIFY(second.attemptId() != interrupted);
    second.answered(7, {"#", "#", "#", "#", "#", "#", "#", "3"}, 7);
    other.end(false);

    // Nothing mixed: each attempt has only its own window's answers.
    const auto a = store.load(interrupted).value();
    QCOMPARE(a->answers, (std::vector<std::string>{"5", "5", "5", "5", "#", "#", "2", "#"}));
    QCOMPARE(a->answered, 5);
    const auto b = store.load(second.attemptId()).value();
    QCOMPARE(b->answers, (std::vector<std::string>{"#", "#", "#", "#", "#", "#", "#", "3"}));
    QCOMPARE(b->answered, 1);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 1 && args[1] == QLatin1String("--child")) {
        QStandardPaths::setTestModeEnabled(true);
        return Child(args.mid(2));
    }
    TestAttemptClaim test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_AttemptClaim.moc"
