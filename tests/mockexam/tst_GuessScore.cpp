// The score without the guesses, under both scoring rules.
#include "mockexam/GuessScore.h"

#include <QTest>

using namespace zelvora::mockexam;

class TestGuessScore : public QObject {
    Q_OBJECT
private slots:
    void withoutGuesses_data();
    void withoutGuesses();
};

void TestGuessScore::withoutGuesses_data()
{
    QTest::addColumn<bool>("cancelling");
    QTest::addColumn<QString>("guesses"); // one flag per question
    QTest::addColumn<int>("hits");
    QTest::addColumn<QString>("text");
    // Key 1 2 3 4 5; answers: right, right, wrong, wrong, blank.
    QTest::newRow("no guess") << false << "00000" << 2 << "";
    QTest::newRow("a right guess costs a hit") << false << "10000" << 1 << "Sem os chutes (1): 1 de 5";
    QTest::newRow("a wrong guess costs nothing simple") << false << "00100" << 2 << "Sem os chutes (1): 2 de 5";
    QTest::newRow("cancelling: wrong guesses cost")
        << true << "00110" << 2 << "Sem os chutes (2): 2 (2 certas - 0 erradas)";
    QTest::newRow("cancelling: a guess on a blank")
        << true << "00001" << 2 << "Sem os chutes (1): 0 (2 certas - 2 erradas)";
    QTest::newRow("fewer marks than questions") << false << "1" << 1 << "Sem os chutes (1): 1 de 5";
}

void TestGuessScore::withoutGuesses()
{
    QFETCH(bool, cancelling);
    QFETCH(QString, guesses);
    QFETCH(int, hits);
    QFETCH(QString, text);
    PaperInfo info;
    info.scoring = cancelling ? ScoringRule::Cancelling : ScoringRule::Simple;
    std::vector<bool> marks;
    for (const QChar c : guesses)
        marks.push_back(c == QLatin1Char('1'));
    const ExamScore s = GuessScore::WithoutGuesses({"1", "2", "3", "4", "5"}, {"1", "2", "4", "5", "#"}, marks, 10,
                                                   info);
    QCOMPARE(s.hits, hits);
    QCOMPARE(QString::fromStdString(GuessScore::Text(s, GuessScore::Count(marks))), text);
}

QTEST_APPLESS_MAIN(TestGuessScore)
#include "tst_GuessScore.moc"
