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
    void scoringRules_data();
    void scoringRules();
    void annulled_data();
    void annulled();
    void subjectTotals_data();
    void subjectTotals();
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
                                   << "0,00%"
                                   << "0,00"
                                   << ""
                                   << "1, 2, 3, 4, 5" << 0;
    QTest::newRow("all right in 10 s") << QStringList{"1", "2", "3", "4"} << QStringList{"1", "2", "3", "4"} << 10
                                       << "4 de 4"
                                       << "100,00%"
                                       << "0,40"
                                       << "1, 2, 3, 4"
                                       << "" << 4;
    QTest::newRow("7 of 10") << QStringList{"1", "1", "1", "1", "1", "1", "1", "2", "2", "2"}
                             << QStringList{"1", "1", "1", "1", "1", "1", "1", "1", "1", "1"} << 125 << "7 de 10"
                             << "70,00%"
                             << "0,08"
                             << "1, 2, 3, 4, 5, 6, 7"
                             << "8, 9, 10" << 10;
    QTest::newRow("# in the key matches no answer given")
        << QStringList{"#", "2"} << QStringList{"#", "2"} << 5 << "2 de 2"
        << "100,00%"
        << "0,20"
        << "1, 2"
        << "" << 1;
    QTest::newRow("# in the key against an answer") << QStringList{"#"} << QStringList{"1"} << 5 << "0 de 1"
                                                    << "0,00%"
                                                    << "0,20"
                                                    << ""
                                                    << "1" << 1;
    QTest::newRow("trailing space never matches") << QStringList{"3 ", "3"} << QStringList{"3", "3"} << 4 << "1 de 2"
                                                  << "50,00%"
                                                  << "0,50"
                                                  << "2"
                                                  << "1" << 2;
    QTest::newRow("letters never match") << QStringList{"A", "B"} << QStringList{"1", "2"} << 2 << "0 de 2"
                                         << "0,00%"
                                         << "1,00"
                                         << ""
                                         << "1, 2" << 2;
    QTest::newRow("empty key line") << QStringList{""} << QStringList{"#"} << 1 << "0 de 1"
                                    << "0,00%"
                                    << "0,00"
                                    << ""
                                    << "1" << 0;
    QTest::newRow("1 of 3 rounds down") << QStringList{"1", "2", "3"} << QStringList{"1", "#", "#"} << 3 << "1 de 3"
                                        << "33,33%"
                                        << "0,33"
                                        << "1"
                                        << "2, 3" << 1;
    QTest::newRow("2 of 3 rounds up") << QStringList{"1", "2", "3"} << QStringList{"1", "2", "#"} << 3 << "2 de 3"
                                      << "66,67%"
                                      << "0,67"
                                      << "1, 2"
                                      << "3" << 2;
    QTest::newRow("finished before the first tick") << QStringList{"1", "2"} << QStringList{"1", "4"} << 0 << "1 de 2"
                                                    << "50,00%"
                                                    << "0,00"
                                                    << "1"
                                                    << "2" << 2;
    QTest::newRow("no questions") << QStringList{} << QStringList{} << 0 << "0 de 0"
                                  << "0,00%"
                                  << "0,00"
                                  << ""
                                  << "" << 0;
    QTest::newRow("1 in 8 s rounds half up") << QStringList{"1"} << QStringList{"1"} << 8 << "1 de 1"
                                             << "100,00%"
                                             << "0,13"
                                             << "1"
                                             << "" << 1;
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

// Statuses written one letter a question: r right, w wrong, b blank, a annulled.
static QString StatusLetters(const ExamScore& s)
{
    QString out;
    for (const auto st : s.statuses)
        out += st == QuestionStatus::Right ? 'r'
            : st == QuestionStatus::Wrong  ? 'w'
            : st == QuestionStatus::Blank  ? 'b'
                                           : 'a';
    return out;
}

void TestExamScore::scoringRules_data()
{
    QTest::addColumn<bool>("rightWrong");
    QTest::addColumn<bool>("cancelling");
    QTest::addColumn<QStringList>("key");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("statuses");
    QTest::addColumn<int>("hits");
    QTest::addColumn<int>("net");
    QTest::addColumn<QString>("netText");

    const QStringList ce = {"C", "E", "C", "E", "C"};
    QTest::newRow("simple: blanks and wrongs alike")
        << false << false << QStringList{"1", "2", "3"} << QStringList{"1", "#", "4"} << "rbw" << 1 << 0
        << "0 (1 certa - 1 errada)";
    QTest::newRow("cancelling: one wrong cancels one right")
        << true << true << ce << QStringList{"C", "E", "E", "C", "#"} << "rrwwb" << 2 << 0
        << "0 (2 certas - 2 erradas)";
    QTest::newRow("cancelling: blanks cost nothing") << true << true << ce << QStringList{"C", "E", "#", "#", "#"}
                                                     << "rrbbb" << 2 << 2 << "2 (2 certas - 0 erradas)";
    QTest::newRow("cancelling: net below zero") << true << true << ce << QStringList{"E", "C", "E", "#", "#"} << "wwwbb"
                                                << 0 << -3 << "-3 (0 certas - 3 erradas)";
    QTest::newRow("right/wrong: digits never match") << true << false << QStringList{"C", "E"} << QStringList{"1", "2"}
                                                     << "ww" << 0 << -2 << "-2 (0 certas - 2 erradas)";
    QTest::newRow("cancelling on options A to E")
        << false << true << QStringList{"1", "2", "3", "4"} << QStringList{"1", "2", "3", "5"} << "rrrw" << 3 << 2
        << "2 (3 certas - 1 errada)";
}

void TestExamScore::scoringRules()
{
    QFETCH(bool, rightWrong);
    QFETCH(bool, cancelling);
    QFETCH(QStringList, key);
    QFETCH(QStringList, answers);
    QFETCH(QString, statuses);
    QFETCH(int, hits);
    QFETCH(int, net);
    QFETCH(QString, netText);
    PaperInfo info;
    info.itemType = rightWrong ? ItemType::RightWrong : ItemType::MultipleChoice;
    info.scoring = cancelling ? ScoringRule::Cancelling : ScoringRule::Simple;
    const auto s = ExamScore::Compute(Strings(key), Strings(answers), 60, info);
    QCOMPARE(StatusLetters(s), statuses);
    QCOMPARE(s.hits, hits);
    QCOMPARE(s.net(), net);
    QCOMPARE(QString::fromStdString(s.netText()), netText);
    QCOMPARE(s.rule == ScoringRule::Cancelling, cancelling);
    // The plain score is the same whatever the rule.
    QCOMPARE(QString::fromStdString(s.hitsText()), QStringLiteral("%1 de %2").arg(hits).arg(key.size()));
}

void TestExamScore::annulled_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("statuses");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("wrong");
    QTest::addColumn<int>("net");

    // Key 1 2 3 4 5, questions 2 and 4 annulled, cancelling rule.
    QTest::newRow("annulled left blank") << QStringList{"1", "#", "3", "#", "#"} << "rarab"
                                         << "1, 2, 3, 4"
                                         << "5" << 4;
    QTest::newRow("annulled marked with the key") << QStringList{"1", "2", "3", "4", "5"} << "rarar"
                                                  << "1, 2, 3, 4, 5"
                                                  << "" << 5;
    QTest::newRow("annulled marked otherwise") << QStringList{"2", "1", "#", "1", "1"} << "wabaw"
                                               << "2, 4"
                                               << "1, 3, 5" << 0;
}

void TestExamScore::annulled()
{
    QFETCH(QStringList, answers);
    QFETCH(QString, statuses);
    QFETCH(QString, right);
    QFETCH(QString, wrong);
    QFETCH(int, net);
    PaperInfo info;
    info.annulled = {2, 4, 9}; // 9 lies past the paper and changes nothing
    info.scoring = ScoringRule::Cancelling;
    const auto s = ExamScore::Compute({"1", "2", "3", "4", "5"}, Strings(answers), 10, info);
    QCOMPARE(StatusLetters(s), statuses);
    QCOMPARE(QString::fromStdString(s.rightText()), right);
    QCOMPARE(QString::fromStdString(s.wrongText()), wrong);
    QCOMPARE(s.net(), net);
    QCOMPARE(s.annulled, 2);
}

void TestExamScore::subjectTotals_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("lines");

    // Key 1 to 6; Português 1-3, Direito 4 and 6, Lógica 5-9 (past the end),
    // Vazia 20-30 (no question of the paper); question 6 annulled.
    QTest::newRow("nothing answered") << QStringList{"#", "#", "#", "#", "#", "#"}
                                      << QStringList{"Português: 0 de 3 (0,00%)", "Direito: 1 de 2 (50,00%)",
                                                     "Lógica: 1 de 2 (50,00%)", "Vazia: 0 de 0 (0,00%)"};
    QTest::newRow("mixed") << QStringList{"1", "3", "3", "4", "#", "2"}
                           << QStringList{"Português: 2 de 3 (66,67%)", "Direito: 2 de 2 (100,00%)",
                                          "Lógica: 1 de 2 (50,00%)", "Vazia: 0 de 0 (0,00%)"};
}

void TestExamScore::subjectTotals()
{
    QFETCH(QStringList, answers);
    QFETCH(QStringList, lines);
    PaperInfo info;
    info.annulled = {6};
    info.subjects = {
        {"Português", {{1, 3}}}, {"Direito", {{4, 4}, {6, 6}}}, {"Lógica", {{5, 9}}}, {"Vazia", {{20, 30}}}};
    const auto s = ExamScore::Compute({"1", "2", "3", "4", "5", "6"}, Strings(answers), 10, info);
    QStringList out;
    for (const auto& subject : s.subjects)
        out << QString::fromStdString(subject.text(","));
    QCOMPARE(out, lines);
}

QTEST_APPLESS_MAIN(TestExamScore)
#include "tst_ExamScore.moc"
