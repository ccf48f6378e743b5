// The board's score: blocks, weights, minimums, both rules for annulled
// questions, the cancelling rule, the cut-off and the score without the
// guesses, each case checked to the hundredth against figures worked out by
// hand (the comment beside each row shows the sum).
#include "mockexam/BoardScore.h"
#include "mockexam/PaperInfoReader.h"
#include "text/TextList.h"

#include <QTest>

#include <cmath>

using namespace zelvora::mockexam;

namespace {

// One character per question: "1".."5", "C"/"E", "#" for a blank answer.
std::vector<std::string> Chars(const QByteArray& s)
{
    std::vector<std::string> out;
    for (const char c : s)
        if (c != ' ')
            out.emplace_back(1, c);
    return out;
}

PaperInfo Info(const QByteArray& file)
{
    return PaperInfoReader::Parse(zelvora::text::SplitTextLines(file.toStdString())).info;
}

std::set<int> Numbers(const QList<int>& list)
{
    return std::set<int>(list.begin(), list.end());
}

constexpr double None = -999;

} // namespace

class TestBoardScore : public QObject {
    Q_OBJECT
private slots:
    void points_data();
    void points();
    void lines_data();
    void lines();
};

void TestBoardScore::points_data()
{
    QTest::addColumn<QByteArray>("info");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("answers");
    QTest::addColumn<QList<int>>("guessed");
    QTest::addColumn<double>("points"); // worked out by hand
    QTest::addColumn<double>("maximum");
    QTest::addColumn<QList<double>>("blocks"); // each block's points
    QTest::addColumn<bool>("eliminated");
    QTest::addColumn<double>("withoutGuesses"); // None: no guess

    const QByteArray ten = "11111 11111";
    const QByteArray tenAnswered = "11#22 111#2"; // right 1 2 6 7 8, wrong 4 5 10, blank 3 9
    const QByteArray blocks = "bloco=A: 1-5; peso=1; minimo=3\nbloco=B: 6-10; peso=2; minimo=4\n";

    // q1 q2 q5 right, q4 wrong, q3 blank: 3 of 5
    QTest::newRow("plain paper") << QByteArray() << QByteArray("12345") << QByteArray("12#35") << QList<int>{} << 3.0
                                 << 5.0 << QList<double>{} << false << None;
    // 3 right - 1 wrong = 2
    QTest::newRow("cancelling") << QByteArray("pontuacao=anula") << QByteArray("12345") << QByteArray("12#35")
                                << QList<int>{} << 2.0 << 5.0 << QList<double>{} << false << None;
    // A: 2 right = 2 < 3, out; B: 3 right x 2 = 6; total 8 of 5 + 10
    QTest::newRow("weighted blocks, one under its minimum")
        << blocks << ten << tenAnswered << QList<int>{} << 8.0 << 15.0 << QList<double>{2.0, 6.0} << true << None;
    // A: 2 - 2 = 0; B: (3 - 1) x 2 = 4, exactly its minimum
    QTest::newRow("weighted blocks, cancelling") << blocks + "pontuacao=anula" << ten << tenAnswered << QList<int>{}
                                                 << 4.0 << 15.0 << QList<double>{0.0, 4.0} << true << None;
    // without 4 and 10: A 2 - 1 = 1, B 3 x 2 = 6
    QTest::newRow("cancelling, guesses left out")
        << blocks + "pontuacao=anula" << ten << tenAnswered << QList<int>{4, 10} << 4.0 << 15.0
        << QList<double>{0.0, 4.0} << true << 7.0;
    // without 1 and 4 (9 was blank): A 1, B 6
    QTest::newRow("simple, guesses left out, a blank one ignored")
        << blocks << ten << tenAnswered << QList<int>{1, 4, 9} << 8.0 << 15.0 << QList<double>{2.0, 6.0} << true << 7.0;
    QTest::newRow("guesses that were all blank change nothing")
        << blocks << ten << tenAnswered << QList<int>{3, 9} << 8.0 << 15.0 << QList<double>{2.0, 6.0} << true << None;
    // 1 3 5 right, 2 annulled and given: 4 of 5
    QTest::newRow("annulled for everyone")
        << QByteArray("anuladas=2\ncorte=1") << QByteArray("12345") << QByteArray("1#3#5") << QList<int>{} << 4.0 << 5.0
        << QList<double>{} << false << None;
    // 1 3 5 right, 2 out of the paper: 3 of 4
    QTest::newRow("annulled taken out") << QByteArray("anuladas=2\nanuladas_regra=exclui") << QByteArray("12345")
                                        << QByteArray("1#3#5") << QList<int>{} << 3.0 << 4.0 << QList<double>{} << false
                                        << None;
    // right/wrong: 1 2 right, 3 out, 4 6 7 wrong: (2 - 3) x 1.5 = -1.5 of 9 x 1.5
    QTest::newRow("right/wrong, excluded, cancelling, weight 1,5")
        << QByteArray("tipo=certo-errado\npontuacao=anula\nanuladas=3\nanuladas_regra=exclui\n"
                      "bloco=X: 1-10; peso=1,5; minimo=5")
        << QByteArray("CECECECECE") << QByteArray("CEEC#CE###") << QList<int>{} << -1.5 << 13.5 << QList<double>{-1.5}
        << true << None;
    // 1 2 worth 3, 3 4 5 worth 1: 3 + 3 + 1 + 1 + 1
    QTest::newRow("weighted subject") << QByteArray("disciplina=P: 1-2; peso=3\ndisciplina=Q: 3-5")
                                      << QByteArray("11111") << QByteArray("11111") << QList<int>{} << 9.0 << 9.0
                                      << QList<double>{} << false << None;
    // a block's weight wins over its subject's: 1-5 x 2, 6 x 3 (its subject's)
    QTest::newRow("block weight before subject weight")
        << QByteArray("bloco=A: 1-5; peso=2\ndisciplina=P: 1-6; peso=3") << QByteArray("111111") << QByteArray("111111")
        << QList<int>{} << 13.0 << 13.0 << QList<double>{10.0} << false << None;
    QTest::newRow("under the paper's minimum")
        << QByteArray("minimo=36,5") << QByteArray("12345") << QByteArray("12#35") << QList<int>{} << 3.0 << 5.0
        << QList<double>{} << true << None;
    // 1-6 at 1 (6), 7-10 at 2 (8); each block counts its own: 6 and 5 x 2
    QTest::newRow("overlapping blocks count once in the total")
        << QByteArray("bloco=A: 1-6\nbloco=B: 5-10; peso=2") << ten << QByteArray("11111 11111") << QList<int>{} << 14.0
        << 14.0 << QList<double>{6.0, 12.0} << false << None;
    QTest::newRow("block past the last question")
        << QByteArray("bloco=A: 1-100; minimo=5") << QByteArray("12345") << QByteArray("12345") << QList<int>{} << 5.0
        << 5.0 << QList<double>{5.0} << false << None;
    // 3 x 0,25: thirds of the hundredth stay exact
    QTest::newRow("fractional weight") << QByteArray("bloco=A: 1-5; peso=0,25") << QByteArray("12345")
                                       << QByteArray("12#35") << QList<int>{} << 0.75 << 1.25 << QList<double>{0.75}
                                       << false << None;
    QTest::newRow("no answers at all") << blocks + "pontuacao=anula" << ten << QByteArray("##### #####") << QList<int>{}
                                       << 0.0 << 15.0 << QList<double>{0.0, 0.0} << true << None;
    QTest::newRow("answers shorter than the key")
        << QByteArray("pontuacao=anula") << QByteArray("12345") << QByteArray("13") << QList<int>{} << 0.0 << 5.0
        << QList<double>{} << false << None;
}

void TestBoardScore::points()
{
    QFETCH(QByteArray, info);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, answers);
    QFETCH(QList<int>, guessed);
    QFETCH(double, points);
    QFETCH(double, maximum);
    QFETCH(QList<double>, blocks);
    QFETCH(bool, eliminated);
    QFETCH(double, withoutGuesses);
    const BoardScore s = BoardScore::Compute(Chars(key), Chars(answers), Info(info), Numbers(guessed));
    const auto hundredths = [](double v) { return qRound64(v * 100); };
    QCOMPARE(hundredths(s.points), hundredths(points));
    QCOMPARE(hundredths(s.maximum), hundredths(maximum));
    QCOMPARE(int(s.blocks.size()), int(blocks.size()));
    for (int i = 0; i < blocks.size(); ++i)
        QCOMPARE(hundredths(s.blocks[size_t(i)].points), hundredths(blocks[i]));
    QCOMPARE(s.eliminated(), eliminated);
    QCOMPARE(hundredths(s.pointsWithoutGuesses.value_or(None)), hundredths(withoutGuesses));
}

void TestBoardScore::lines_data()
{
    QTest::addColumn<QByteArray>("info");
    QTest::addColumn<QByteArray>("answers");
    QTest::addColumn<QList<int>>("guessed");
    QTest::addColumn<QStringList>("lines"); // "text|alert"

    const QByteArray rules = "pontuacao=anula\nbloco=B\xe1sicos: 1-5; peso=1; minimo=2\n"
                             "bloco=Espec\xed"
                             "ficos: 6-10; peso=1,5\nminimo=4\ncorte=3,5\n";
    QTest::newRow("nothing set shows nothing")
        << QByteArray("pontuacao=anula") << QByteArray("11111 11111") << QList<int>{} << QStringList{};
    QTest::newRow("all right, above the cut-off")
        << rules << QByteArray("11111 11111") << QList<int>{}
        << QStringList{"Básicos (mínimo 2)|",
                       "   5 certas, 0 erradas, líquida 5: 5 de 5 pontos|",
                       "Específicos (peso 1,5)|",
                       "   5 certas, 0 erradas, líquida 5: 7,5 de 7,5 pontos|",
                       "Total: 12,5 de 12,5 pontos (mínimo 4)|",
                       "9 pontos acima da nota de corte (3,5)|"};
    QTest::newRow("a block lost, below the cut-off, guesses")
        << rules << QByteArray("12222 11#11") << QList<int>{7, 6}
        << QStringList{"Básicos (mínimo 2)|eliminado",
                       "   1 certa, 4 erradas, líquida -3: -3 de 5 pontos|",
                       "Específicos (peso 1,5)|",
                       "   4 certas, 0 erradas, líquida 4: 6 de 7,5 pontos|",
                       "Total: 3 de 12,5 pontos (mínimo 4)|eliminado",
                       "Sem os chutes: 0 de 12,5 pontos|",
                       "0,5 pontos abaixo da nota de corte (3,5)|"};
    QTest::newRow("one point above, at the cut-off")
        << QByteArray("corte=4") << QByteArray("11111 #####") << QList<int>{}
        << QStringList{"Total: 5 de 10 pontos|", "1 ponto acima da nota de corte (4)|"};
    QTest::newRow("exactly at the cut-off")
        << QByteArray("corte=5") << QByteArray("11111 #####") << QList<int>{}
        << QStringList{"Total: 5 de 10 pontos|", "Exatamente na nota de corte (5)|"};
}

void TestBoardScore::lines()
{
    QFETCH(QByteArray, info);
    QFETCH(QByteArray, answers);
    QFETCH(QList<int>, guessed);
    QFETCH(QStringList, lines);
    const BoardScore s = BoardScore::Compute(Chars("11111 11111"), Chars(answers), Info(info), Numbers(guessed));
    QStringList got;
    for (const auto& line : s.lines(","))
        got << QString::fromStdString(line.text + "|" + line.alert);
    QCOMPARE(got, lines);
}

QTEST_APPLESS_MAIN(TestBoardScore)
#include "tst_BoardScore.moc"
