// The answers being given: navigation bounds, stored digits, the "OK" mark.
#include "mockexam/ExamAnswers.h"

#include <QTest>

using namespace zelvora::mockexam;

class TestExamAnswers : public QObject {
    Q_OBJECT
private slots:
    void startsUnanswered();
    void navigation_data();
    void navigation();
    void answeringMarksOnceAndStores();
    void storedOption_data();
    void storedOption();
    void answerOutsideTheOptionsChangesNothing();
    void newStartForgetsEverything();
    void rightWrongOptions_data();
    void rightWrongOptions();
    void studyAids();
    void guessMarks_data();
    void guessMarks();
    void restoreMarksAnsweredQuestions_data();
    void restoreMarksAnsweredQuestions();
};

void TestExamAnswers::startsUnanswered()
{
    ExamAnswers a;
    a.start(12);
    QCOMPARE(a.questionCount(), size_t(12));
    QCOMPARE(a.current(), 0);
    for (const auto& s : a.answers())
        QCOMPARE(QString::fromStdString(s), QStringLiteral("#"));
    QCOMPARE(QString::fromStdString(a.itemTexts().front()), QStringLiteral("Questão 1"));
    QCOMPARE(QString::fromStdString(a.itemTexts().back()), QStringLiteral("Questão 12"));
}

void TestExamAnswers::navigation_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("moves"); // n = next, p = previous, digits = select
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("moved"); // one flag per move

    QTest::newRow("next") << 5 << "nn" << 2 << "11";
    QTest::newRow("next on the last stays") << 3 << "nnn" << 2 << "110";
    QTest::newRow("previous on the first stays") << 3 << "p" << 0 << "0";
    QTest::newRow("back and forth") << 4 << "nnpnp" << 1 << "11111";
    QTest::newRow("single question") << 1 << "np" << 0 << "00";
    QTest::newRow("select then next") << 9 << "7n" << 8 << "11";
    QTest::newRow("select last then next") << 9 << "8n" << 8 << "10";
    QTest::newRow("no questions") << 0 << "np0" << 0 << "000";
}

void TestExamAnswers::navigation()
{
    QFETCH(int, count);
    QFETCH(QString, moves);
    QFETCH(int, current);
    QFETCH(QString, moved);
    ExamAnswers a;
    a.start(size_t(count));
    QString flags;
    for (const QChar m : moves) {
        bool ok = false;
        if (m == QLatin1Char('n'))
            ok = a.next();
        else if (m == QLatin1Char('p'))
            ok = a.previous();
        else
            ok = a.select(m.digitValue());
        flags += ok ? QLatin1Char('1') : QLatin1Char('0');
    }
    QCOMPARE(flags, moved);
    QCOMPARE(a.current(), current);
}

void TestExamAnswers::answeringMarksOnceAndStores()
{
    ExamAnswers a;
    a.start(4);
    QVERIFY(a.select(2));
    QVERIFY(a.answer(2)); // C
    QCOMPARE(QString::fromStdString(a.answers()[2]), QStringLiteral("3"));
    QCOMPARE(QString::fromStdString(a.itemTexts()[2]), QStringLiteral("Questão 3   OK"));
    QVERIFY(!a.answer(4)); // E: stored, already marked
    QCOMPARE(QString::fromStdString(a.answers()[2]), QStringLiteral("5"));
    QCOMPARE(QString::fromStdString(a.itemTexts()[2]), QStringLiteral("Questão 3   OK"));
    // The other questions are untouched.
    QCOMPARE(QString::fromStdString(a.answers()[1]), QStringLiteral("#"));
    QCOMPARE(QString::fromStdString(a.itemTexts()[3]), QStringLiteral("Questão 4"));
}

void TestExamAnswers::storedOption_data()
{
    QTest::addColumn<int>("answer"); // -1 none
    QTest::addColumn<int>("question");
    QTest::addColumn<int>("shown");
    QTest::newRow("unanswered") << -1 << 0 << -1;
    QTest::newRow("A") << 0 << 0 << 0;
    QTest::newRow("E") << 4 << 0 << 4;
    QTest::newRow("other question") << 3 << 1 << -1;
    QTest::newRow("outside the exam") << 3 << 7 << -1;
    QTest::newRow("negative") << 3 << -1 << -1;
}

void TestExamAnswers::storedOption()
{
    QFETCH(int, answer);
    QFETCH(int, question);
    QFETCH(int, shown);
    ExamAnswers a;
    a.start(3);
    if (answer >= 0)
        a.answer(answer);
    QCOMPARE(a.storedOption(question), shown);
}

void TestExamAnswers::answerOutsideTheOptionsChangesNothing()
{
    ExamAnswers a;
    a.start(2);
    QVERIFY(!a.answer(-1));
    QVERIFY(!a.answer(5));
    QCOMPARE(QString::fromStdString(a.answers()[0]), QStringLiteral("#"));
    QCOMPARE(QString::fromStdString(a.itemTexts()[0]), QStringLiteral("Questão 1"));
    ExamAnswers none;
    QVERIFY(!none.answer(0));
}

void TestExamAnswers::newStartForgetsEverything()
{
    ExamAnswers a;
    a.start(3);
    a.select(2);
    a.answer(1);
    a.start(2);
    QCOMPARE(a.current(), 0);
    QCOMPARE(a.questionCount(), size_t(2));
    QCOMPARE(QString::fromStdString(a.answers()[1]), QStringLiteral("#"));
    QCOMPARE(QString::fromStdString(a.itemTexts()[1]), QStringLiteral("Questão 2"));
}

void TestExamAnswers::rightWrongOptions_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("extra");
    QTest::newRow("certo") << 0 << "C"
                           << "C";
    QTest::newRow("errado") << 1 << "E"
                            << "E";
    QTest::newRow("no third option") << 2 << "#"
                                     << "";
}

void TestExamAnswers::rightWrongOptions()
{
    QFETCH(int, option);
    QFETCH(QString, stored);
    QFETCH(QString, extra);
    ExamAnswers a;
    a.start(2, ItemType::RightWrong);
    QCOMPARE(a.optionCount(), 2);
    a.answer(option);
    QCOMPARE(QString::fromStdString(a.answers()[0]), stored);
    QCOMPARE(a.storedOption(0), stored == "#" ? -1 : option);
    QCOMPARE(QString::fromStdString(a.itemExtra(0)), extra);
    // A right/wrong paper calls its questions items.
    QCOMPARE(QString::fromStdString(a.itemTexts()[0]),
             stored == "#" ? QStringLiteral("Item 1") : QStringLiteral("Item 1   OK"));
}

void TestExamAnswers::studyAids()
{
    ExamAnswers a;
    a.start(3);
    a.select(1);
    a.toggleReview();
    a.toggleStruck(3);
    a.toggleStruck(0);
    a.toggleStruck(0);
    a.toggleStruck(7); // no such option
    QVERIFY(a.markedForReview(1));
    QVERIFY(!a.markedForReview(0));
    QVERIFY(a.struck(1, 3));
    QVERIFY(!a.struck(1, 0));
    QCOMPARE(QString::fromStdString(a.itemExtra(1)), QStringLiteral("[revisar]"));
    a.answer(2);
    QCOMPARE(QString::fromStdString(a.itemExtra(1)), QStringLiteral("C  [revisar]"));
    // The selector's own text and the answers are what they always were.
    QCOMPARE(QString::fromStdString(a.itemTexts()[1]), QStringLiteral("Questão 2   OK"));
    QCOMPARE(QString::fromStdString(a.answers()[1]), QStringLiteral("3"));
    a.toggleReview();
    QCOMPARE(QString::fromStdString(a.itemExtra(1)), QStringLiteral("C"));
    a.start(3);
    QVERIFY(!a.struck(1, 3));
}

void TestExamAnswers::restoreMarksAnsweredQuestions_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("current");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("restoredCurrent");
    QTest::addColumn<bool>("rightWrong");
    QTest::newRow("right/wrong paper taken up again")
        << QStringList{"C", "#"} << 0 << QStringList{"Item 1   OK", "Item 2"} << 0 << true;
    QTest::newRow("some answered") << QStringList{"3", "#", "5"} << 1
                                   << QStringList{"Questão 1   OK", "Questão 2", "Questão 3   OK"} << 1 << false;
    QTest::newRow("none answered") << QStringList{"#", "#"} << 1 << QStringList{"Questão 1", "Questão 2"} << 1 << false;
    QTest::newRow("current outside the exam") << QStringList{"1"} << 4 << QStringList{"Questão 1   OK"} << 0 << false;
}

void TestExamAnswers::restoreMarksAnsweredQuestions()
{
    QFETCH(QStringList, answers);
    QFETCH(int, current);
    QFETCH(QStringList, items);
    QFETCH(int, restoredCurrent);
    QFETCH(bool, rightWrong);
    std::vector<std::string> stored;
    for (const QString& a : answers)
        stored.push_back(a.toStdString());
    ExamAnswers a;
    a.start(7, rightWrong ? ItemType::RightWrong : ItemType::MultipleChoice);
    a.answer(2);
    a.restore(stored, current);
    QCOMPARE(a.answers(), stored);
    QStringList got;
    for (const auto& t : a.itemTexts())
        got << QString::fromStdString(t);
    QCOMPARE(got, items);
    QCOMPARE(a.current(), restoredCurrent);
    QCOMPARE(a.optionCount(), rightWrong ? 2 : 5);
    a.select(0);
    QVERIFY(!a.answer(1) || answers[0] == QLatin1String("#")); // a restored mark is not added twice
}

void TestExamAnswers::guessMarks_data()
{
    QTest::addColumn<QString>("acts"); // g = toggle the guess, r = review mark, a = answer B, digit = select
    QTest::addColumn<QString>("extras"); // itemExtra of questions 1 to 3, "|" between
    QTest::newRow("none") << ""
                          << "||";
    QTest::newRow("one guess") << "1g"
                               << "|[chute]|";
    QTest::newRow("twice is none") << "1gg"
                                   << "||";
    QTest::newRow("with answer and review mark") << "2arg"
                                                 << "||B  [revisar]  [chute]";
    QTest::newRow("guess without answer, then moved") << "0g2g"
                                                      << "[chute]||[chute]";
}

void TestExamAnswers::guessMarks()
{
    QFETCH(QString, acts);
    QFETCH(QString, extras);
    ExamAnswers a;
    a.start(3);
    for (const QChar c : acts) {
        if (c == QLatin1Char('g'))
            a.toggleGuess();
        else if (c == QLatin1Char('r'))
            a.toggleReview();
        else if (c == QLatin1Char('a'))
            a.answer(1);
        else
            a.select(c.digitValue());
    }
    QStringList got;
    for (int q = 0; q < 3; ++q) {
        got << QString::fromStdString(a.itemExtra(q));
        QCOMPARE(a.guessed(q), got.back().contains(QStringLiteral("[chute]")));
    }
    QCOMPARE(got.join(QLatin1Char('|')), extras);
    // Marks kept before come back with an attempt of the same length only.
    const std::vector<bool> kept = a.guesses();
    ExamAnswers b;
    b.restore({"#", "#", "#"}, 0);
    b.restoreGuesses({true});
    QCOMPARE(b.guesses(), std::vector<bool>(3, false));
    b.restoreGuesses(kept);
    QCOMPARE(b.guesses(), kept);
    b.start(3);
    QCOMPARE(b.guesses(), std::vector<bool>(3, false));
}

QTEST_APPLESS_MAIN(TestExamAnswers)
#include "tst_ExamAnswers.moc"
