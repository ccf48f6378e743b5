// The store under the blows a real user's machine deals: the program killed
// (kill -9) at random moments of rapid answering, and a disk that fills up
// while answering. Real processes and, where the test runs as root, a real
// small tmpfs.
#include "attempts/AttemptRecorder.h"
#include "attempts/AttemptSession.h"
#include "attempts/AttemptStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <iostream>
#include <map>

#include <unistd.h>

using namespace zelvora::attempts;

namespace {

const PaperIdentity Paper{QStringLiteral("/d/simu/p.pdf"), QStringLiteral("/d/"), QStringLiteral("k1")};
constexpr int Questions = 12;

std::vector<std::string> Key(int n)
{
    std::vector<std::string> key;
    for (int i = 0; i < n; ++i)
        key.push_back(std::to_string(i % 5 + 1));
    return key;
}

// Step i of the rapid answering: which question, which answer.
int QuestionAt(qint64 step)
{
    return int(step % Questions);
}
std::string AnswerAt(qint64 step)
{
    return std::to_string((step / Questions) % 5 + 1);
}

// The child: resumes the attempt (or starts it) and answers as fast as it
// can, from step `first` on, printing each step once the store holds it.
int AnswerRapidly(const QString& path, qint64 first)
{
    AttemptStore store(path);
    if (!store.open())
        return 2;
    AttemptRecorder recorder(&store);
    const auto old = store.findInterrupted(Paper);
    std::vector<std::string> answers(Questions, "#");
    if (old && old.value()) {
        answers = old.value()->answers;
        recorder.resume(*old.value(), Key(Questions), nullptr);
    } else if (!recorder.begin(Paper, QStringLiteral("P"), Key(Questions))) {
        return 3;
    }
    for (qint64 step = first;; ++step) {
        answers[size_t(QuestionAt(step))] = AnswerAt(step);
        recorder.answer(QuestionAt(step), answers, QuestionAt(step));
        if (recorder.waiting() == 0)
            std::cout << step << std::endl;
    }
}

QVariant Query(const QString& path, const QString& sql, std::map<int, std::string>* rows = nullptr)
{
    QVariant v;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        if (q.exec(sql)) {
            while (q.next()) {
                v = q.value(0);
                if (rows)
                    (*rows)[q.value(0).toInt()] = q.value(1).toString().toStdString();
            }
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    return v;
}

// A tmpfs of the given size mounted for the test's life; only for root.
struct SmallDisk {
    QTemporaryDir dir;
    bool mounted = false;
    QString why;
    explicit SmallDisk(const QString& size)
    {
        if (geteuid() != 0) {
            why = QStringLiteral("a tmpfs can only be mounted as root");
            return;
        }
        mounted = QProcess::execute(QStringLiteral("mount"),
                                    {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                     QStringLiteral("size=") + size, QStringLiteral("tmpfs"), dir.path()})
            == 0;
        if (!mounted)
            why = QStringLiteral("mount -t tmpfs failed (no privilege in this container?)");
    }
    ~SmallDisk()
    {
        if (mounted)
            QProcess::execute(QStringLiteral("umount"), {dir.path()});
    }
};

// Writes until the disk is full, then frees `room` bytes.
bool Fill(const QString& path, qint64 room)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray block(4096, 'x');
    while (f.write(block) == block.size() && f.flush()) {
    }
    f.close();
    return f.resize(qMax<qint64>(0, f.size() - room));
}

} // namespace

class TestStoreProbe : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void killedWhileAnswering();
    void diskFillsWhileAnswering();
};

void TestStoreProbe::killedWhileAnswering()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("attempts.sqlite"));
    qint64 next = 0; // the first step of the next round
    std::map<int, std::string> acknowledged;
    for (int round = 0; round < 20; ++round) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--answer"), path, QString::number(next)});
        QVERIFY(child.waitForStarted(10000));
        QVERIFY2(child.waitForReadyRead(20000), qPrintable(QString::fromUtf8(child.readAllStandardError())));
        QTest::qWait(int(QRandomGenerator::global()->bounded(5, 120)));
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        // Every whole line is a step the store had confirmed.
        qint64 last = -1;
        QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
        lines.removeLast(); // empty, or a line the kill cut short
        if (!lines.isEmpty())
            last = lines.back().toLongLong();
        QVERIFY(last >= next);
        QCOMPARE(Query(path, QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
        std::map<int, std::string> stored;
        Query(path, QStringLiteral("SELECT question, answer FROM answer"), &stored);
        // At most one more step may have reached the store unconfirmed.
        for (qint64 step = next; step <= last; ++step)
            acknowledged[QuestionAt(step)] = AnswerAt(step);
        for (const auto& [question, answer] : acknowledged) {
            const bool oneMore = QuestionAt(last + 1) == question && stored[question] == AnswerAt(last + 1);
            QVERIFY2(stored[question] == answer || oneMore,
                     qPrintable(QStringLiteral("round %1, question %2").arg(round).arg(question)));
        }
        if (stored[QuestionAt(last + 1)] == AnswerAt(last + 1)
            && acknowledged[QuestionAt(last + 1)] != AnswerAt(last + 1))
            acknowledged[QuestionAt(last + 1)] = AnswerAt(last + 1);
        next = last + 2;
        const QVariant attempts = Query(path, QStringLiteral("SELECT count(*) FROM attempt"));
        QCOMPARE(attempts.toInt(), 1); // every round resumed the one attempt
    }
}

void TestStoreProbe::diskFillsWhileAnswering()
{
    SmallDisk disk(QStringLiteral("300k"));
    if (!disk.mounted)
        QSKIP(qPrintable(disk.why));
    const QString home = disk.dir.filePath(QStringLiteral("zelvora"));
    const QString path = home + QStringLiteral("/attempts.sqlite");
    const QString filler = disk.dir.filePath(QStringLiteral("filler"));
    AttemptStore store(path);
    QVERIFY(store.open());
    QStringList told;
    const int n = 60;
    std::vector<std::string> answers(size_t(n), "#");
    {
        AttemptSession session(
            &store, [](const QString&) { return true; }, [&](const QString& m) { told << m; });
        session.start(Paper, QStringLiteral("P"), Key(n));
        QVERIFY(session.recording());
        QVERIFY(Fill(filler, 12 * 1024));
        for (int q = 0; q < n; ++q) {
            answers[size_t(q)] = std::to_string((q * 7) % 5 + 1);
            session.answered(q, answers, q);
        }
        session.tick(10, n - 1);
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].contains(QStringLiteral("disco está cheio")), qPrintable(told[0]));
        QVERIFY2(!told[0].contains(QStringLiteral("full")) && !told[0].contains(QStringLiteral("database")),
                 qPrintable(told[0]));
        // What the store holds agrees with itself: no row promising more.
        const int rows = Query(path, QStringLiteral("SELECT count(*) FROM answer")).toInt();
        QVERIFY(rows < n);
        QCOMPARE(Query(path, QStringLiteral("SELECT answered FROM attempt")).toInt(), rows);
        // Another paper started while the disk is full leaves no attempt behind.
        AttemptSession other(
            &store, [](const QString&) { return false; }, [](const QString&) {});
        other.start(PaperIdentity{QStringLiteral("/o/outra.pdf"), QStringLiteral("/o/"), QStringLiteral("k")},
                    QStringLiteral("Q"), Key(2));
        QCOMPARE(Query(path, QStringLiteral("SELECT count(*) FROM attempt")).toInt(), other.recording() ? 2 : 1);

        QVERIFY(QFile::remove(filler)); // room again: the next write takes everything waiting
        session.tick(20, n - 1);
        QCOMPARE(told.size(), 1);
    }
    std::map<int, std::string> stored;
    Query(path, QStringLiteral("SELECT question, answer FROM answer WHERE attempt_id = 1"), &stored);
    QCOMPARE(int(stored.size()), n);
    for (int q = 0; q < n; ++q)
        QCOMPARE(stored[q], answers[size_t(q)]);
    QCOMPARE(Query(path, QStringLiteral("SELECT answered FROM attempt WHERE id = 1")).toInt(), n);
    QCOMPARE(Query(path, QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    store.close();
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 3 && args[1] == QLatin1String("--answer"))
        return AnswerRapidly(args[2], args[3].toLongLong());
    TestStoreProbe test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_StoreProbe.moc"
