// Scoring against the key and the texts of the results.
#include "mockexam/ExamScore.h"

#include <QTest>

#include <limits>

using namespace zelvora::mockexam;

namespace {

std::vector<std::string> Strings(const QStringList& list)
{
    std::vector<std::string> out;
    for (const auto& s : list)
        out.push_back(s.toStdString());
    return out;
}

} // namespace

class TestExamScore : public QObject {
    Q_OBJECT
private slots:
    void compute_data();
    void compute();
    void fewerAnswersThanQuestions();
    void formatTwoDecimals_data();
    void formatTwoDecimals();
    void decimalPointFollowsTheCaller();
};

void TestExamScore::compute_data()
{
    QTest::addColumn<QStringList>("key");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("hits");
    QTest::addColumn<QString>("percentage");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("wrong");
    QTest::addColumn<int>("answered");

    const QStringList none5 = {"#", "#", "#", "#", "#"};
    QTest::newRow("none answered") << QStringList{"1", "2", "3", "4", "5"} << none5 << 30 << "0 de 5"
                                   << "0,00%" << "0,00" << "" << "1, 2, 3, 4, 5" << 0;
    QTest::newRow("all right in 10 s") << QStringList{"1", "2", "3", "4"} << QStringList{"1", "2", "3", "4"} << 10
                                       << "4 de 4" << "100,00%" << "0,40" << "1, 2, 3, 4" << "" << 4;
    QTest::newRow("7 of 10") << QStringList{"1", "1", "1", "1", "1", "1", "1", "2", "2", "2"}
                             << QStringList{"1", "1", "1", "1", "1", "1", "1", "1", "1", "1"} << 125 << "7 de 10"
                             << "70,00%" << "0,08" << "1, 2, 3, 4, 5, 6, 7" << "8, 9, 10" << 10;
    QTest::newRow("# in the key matches no answer given") << QStringList{"#", "2"} << QStringList{"#", "2"} << 5
                                                          << "2 de 2" << "100,00%" << "0,20" << "1, 2" << "" << 1;
    QTest::newRow("# in the key against an answer") << QStringList{"#"} << QStringList{"1"} << 5 << "0 de 1"
                                                     << "0,00%" << "0,20" << "" << "1" << 1;
    QTest::newRow("trailing space never matches") << QStringList{"3 ", "3"} << QStringList{"3", "3"} << 4
                                                  << "1 de 2" << "50,00%" << "0,50" << "2" << "1" << 2;
    QTest::newRow("letters never match") << QStringList{"A", "B"} << QStringList{"1", "2"} << 2 << "0 de 2"
                                         << "0,00%" << "1,00" << "" << "1, 2" << 2;
    QTest::newRow("empty key line") << QStringList{""} << QStringList{"#"} << 1 << "0 de 1" << "0,00%" << "0,00"
                                    << "" << "1" << 0;
    QTest::newRow("1 of 3 rounds down") << QStringList{"1", "2", "3"} << QStringList{"1", "#", "#"} << 3
                                        << "1 de 3" << "33,33%" << "0,33" << "1" << "2, 3" << 1;
    QTest::newRow("2 of 3 rounds up") << QStringList{"1", "2", "3"} << QStringList{"1", "2", "#"} << 3 << "2 de 3"
                                      << "66,67%" << "0,67" << "1, 2" << "3" << 2;
    QTest::newRow("finished before the first tick") << QStringList{"1", "2"} << QStringList{"1", "4"} << 0
                                                    << "1 de 2" << "50,00%" << "0,00" << "1" << "2" << 2;
    QTest::newRow("no questions") << QStringList{} << QStringList{} << 0 << "0 de 0" << "0,00%" << "0,00" << ""
                                  << "" << 0;
    QTest::newRow("1 in 8 s rounds half up") << QStringList{"1"} << QStringList{"1"} << 8 << "1 de 1"
                                             << "100,00%" << "0,13" << "1" << "" << 1;
}

void TestExamScore::compute()
{
    QFETCH(QStringList, key);
    QFETCH(QStringList, answers);
    QFETCH(int, seconds);
    QFETCH(QString, hits);
    QFETCH(QString, percentage);
    QFETCH(QString, rate);
    QFETCH(QString, right);
    QFETCH(QString, wrong);
    QFETCH(int, answered);
    const auto s = ExamScore::Compute(Strings(key), Strings(answers), seconds);
    QCOMPARE(QString::fromStdString(s.hitsText()), hits);
    QCOMPARE(QString::fromStdString(s.percentageText(",")), percentage);
    QCOMPARE(QString::fromStdString(s.rateText(",")), rate);
    QCOMPARE(QString::fromStdString(s.rightText()), right);
    QCOMPARE(QString::fromStdString(s.wrongText()), wrong);
    QCOMPARE(s.answered, answered);
    QCOMPARE(int(s.right.size() + s.wrong.size()), int(key.size()));
    QCOMPARE(QString::fromStdString(s.timeText()), QStringLiteral("%1 segundos").arg(seconds));
}

void TestExamScore::fewerAnswersThanQuestions()
{
    // A missing answer is an unanswered question, never a read past the end.
    const auto s = ExamScore::Compute({"1", "#", "3"}, {"1"}, 10);
    QCOMPARE(s.hits, 2);
    QCOMPARE(s.answered, 1);
    QCOMPARE(QString::fromStdString(s.wrongText()), QStringLiteral("3"));
}

void TestExamScore::formatTwoDecimals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << "0,00";
    QTest::newRow("hundred") << 100.0 << "100,00";
    QTest::newRow("third") << 100.0 / 3.0 << "33,33";
    QTest::newRow("two thirds") << 200.0 / 3.0 << "66,67";
    QTest::newRow("half cent up") << 0.125 << "0,13";
    QTest::newRow("just below half") << 0.12499 << "0,12";
    QTest::newRow("carry through nines") << 99.995 << "100,00";
    QTest::newRow("carry into a new digit") << 9.999 << "10,00";
    QTest::newRow("tiny") << 0.004 << "0,00";
    QTest::newRow("large") << 123456789.0 << "123456789,00";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "0,00";
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << "0,00";
    QTest::newRow("negative") << -1.5 << "-1,50";
}

void TestExamScore::formatTwoDecimals()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(ExamScore::FormatTwoDecimals(value, ",")), text);
}

void TestExamScore::decimalPointFollowsTheCaller()
{
    const auto s = ExamScore::Compute({"1", "2", "3", "4", "5", "1", "1", "1", "1", "1"},
                                      {"1", "2", "3", "4", "5", "1", "1", "#", "#", "#"}, 125);
    QCOMPARE(QString::fromStdString(s.percentageText(".")), QStringLiteral("70.00%"));
    QCOMPARE(QString::fromStdString(s.rateText(".")), QStringLiteral("0.06"));
    QCOMPARE(QString::fromStdString(s.rateText("\xd9\xab")), QStringLiteral("0\u066b06"));
}

QTEST_APPLESS_MAIN(TestExamScore)
#include "tst_ExamScore.moc"
