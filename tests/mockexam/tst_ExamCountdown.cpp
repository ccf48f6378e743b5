// The time left of an exam with a limit: its text, the notices and the end.
#include "mockexam/ExamCountdown.h"

#include <QTest>

using namespace zelvora::mockexam;

class TestExamCountdown : public QObject {
    Q_OBJECT
private slots:
    void events_data();
    void events();
    void clockText_data();
    void clockText();
};

void TestExamCountdown::events_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("events"); // "second:event" for each tick that gives one
    QTest::addColumn<QString>("lastText");

    QTest::newRow("three hours") << 3 * 3600 << "9000:30 10500:5 10800:end"
                                 << "0:00:00";
    QTest::newRow("20 minutes: only the 5-minute notice") << 1200 << "900:5 1200:end"
                                                          << "0:00:00";
    QTest::newRow("exactly 30 minutes: no notice at the start") << 1800 << "1500:5 1800:end"
                                                                << "0:00:00";
    QTest::newRow("one minute") << 60 << "60:end"
                                << "0:00:00";
    QTest::newRow("no limit") << 0 << ""
                              << "0:00:00";
}

void TestExamCountdown::events()
{
    QFETCH(int, limit);
    QFETCH(QString, events);
    QFETCH(QString, lastText);
    ExamCountdown c;
    c.start(limit);
    QCOMPARE(c.limited(), limit > 0);
    QStringList seen;
    // Well past the end: nothing comes after TimeUp.
    for (int second = 1; second <= limit + 100; ++second) {
        const CountdownEvent e = c.tick();
        if (e == CountdownEvent::ThirtyMinutesLeft)
            seen << QStringLiteral("%1:30").arg(second);
        else if (e == CountdownEvent::FiveMinutesLeft)
            seen << QStringLiteral("%1:5").arg(second);
        else if (e == CountdownEvent::TimeUp)
            seen << QStringLiteral("%1:end").arg(second);
    }
    QCOMPARE(seen.join(' '), events);
    QCOMPARE(QString::fromStdString(c.text()), lastText);
    QCOMPARE(c.finished(), limit > 0);
}

void TestExamCountdown::clockText_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("three hours") << 10800 << "3:00:00";
    QTest::newRow("one second less") << 10799 << "2:59:59";
    QTest::newRow("under a minute") << 7 << "0:00:07";
    QTest::newRow("ten hours") << 36005 << "10:00:05";
    QTest::newRow("negative") << -3 << "0:00:00";
}

void TestExamCountdown::clockText()
{
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(ExamCountdown::ClockText(seconds)), text);
}

QTEST_APPLESS_MAIN(TestExamCountdown)
#include "tst_ExamCountdown.moc"
