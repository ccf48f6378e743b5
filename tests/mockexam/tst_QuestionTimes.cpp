// The seconds each question was the current one, and what the results make
// of them.
#include "mockexam/QuestionTimes.h"

#include <QTest>

using zelvora::mockexam::QuestionTimes;

using Slowest = std::vector<std::pair<int, long long>>;
Q_DECLARE_METATYPE(Slowest)
Q_DECLARE_METATYPE(std::vector<long long>)

class TestQuestionTimes : public QObject {
    Q_OBJECT
private slots:
    void ticks_data();
    void ticks();
    void restoreKeepsOnlyAListOfTheSameLength();
    void durationText_data();
    void durationText();
};

void TestQuestionTimes::ticks_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<int>>("shown"); // the current question at each second
    QTest::addColumn<std::vector<long long>>("seconds");
    QTest::addColumn<double>("average");
    QTest::addColumn<Slowest>("slowest"); // top three
    QTest::newRow("none") << 3 << QList<int>{} << std::vector<long long>{0, 0, 0} << 0.0 << Slowest{};
    QTest::newRow("one question") << 2 << QList<int>{0, 0, 0} << std::vector<long long>{3, 0} << 1.5 << Slowest{{1, 3}};
    QTest::newRow("ties keep the lower number first")
        << 4 << QList<int>{3, 1, 3, 1, 2, 0, 0} << std::vector<long long>{2, 2, 1, 2} << 1.75
        << Slowest{{1, 2}, {2, 2}, {4, 2}};
    QTest::newRow("outside the exam counts nowhere")
        << 2 << QList<int>{-1, 2, 1, 7} << std::vector<long long>{0, 1} << 0.5 << Slowest{{2, 1}};
    QTest::newRow("no questions") << 0 << QList<int>{0, 1} << std::vector<long long>{} << 0.0 << Slowest{};
}

void TestQuestionTimes::ticks()
{
    QFETCH(int, count);
    QFETCH(QList<int>, shown);
    QFETCH(std::vector<long long>, seconds);
    QFETCH(double, average);
    QFETCH(Slowest, slowest);
    QuestionTimes times;
    times.start(std::size_t(count));
    for (int q : shown)
        times.tick(q);
    QCOMPARE(times.seconds(), seconds);
    QCOMPARE(times.average(), average);
    QCOMPARE(times.slowest(3), slowest);
}

void TestQuestionTimes::restoreKeepsOnlyAListOfTheSameLength()
{
    QuestionTimes times;
    times.start(3);
    times.restore({4, 5, 6});
    times.tick(1);
    QCOMPARE(times.seconds(), (std::vector<long long>{4, 6, 6}));
    times.restore({1, 2}); // from a key of another length: ignored
    QCOMPARE(times.total(), 16);
    QCOMPARE(times.resultLines(),
             (std::vector<std::string>{"Tempo médio por questão: 5 s", "Mais demoradas: 2 (6 s), 3 (6 s), 1 (4 s)"}));
    times.start(3); // a new start forgets
    QCOMPARE(times.total(), 0);
    QVERIFY(times.resultLines().empty()); // no second counted yet
    QVERIFY(QuestionTimes().resultLines().empty());
}

void TestQuestionTimes::durationText_data()
{
    QTest::addColumn<long long>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0LL << QStringLiteral("0 s");
    QTest::newRow("59") << 59LL << QStringLiteral("59 s");
    QTest::newRow("60") << 60LL << QStringLiteral("1 min 00 s");
    QTest::newRow("3725") << 3725LL << QStringLiteral("62 min 05 s");
    QTest::newRow("negative") << -5LL << QStringLiteral("0 s");
}

void TestQuestionTimes::durationText()
{
    QFETCH(long long, seconds);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(QuestionTimes::DurationText(seconds)), text);
}

QTEST_GUILESS_MAIN(TestQuestionTimes)
#include "tst_QuestionTimes.moc"
