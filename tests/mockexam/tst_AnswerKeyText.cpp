// Answer keys pasted in the shapes people copy from answer-key PDFs.
#include "mockexam/AnswerKeyText.h"

#include <QTest>

using zelvora::mockexam::AnswerKeyText;

class AnswerKeyTextTest : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
};

// digits: the key read ("" when refused); refusal: a piece of the message.
void AnswerKeyTextTest::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("refusal");

    QTest::newRow("dash pairs on one line") << "1-A 2-C 3-E"
                                            << "135"
                                            << "";
    QTest::newRow("one pair per line") << "1 A\n2 B\r\n3 D\n"
                                       << "124"
                                       << "";
    QTest::newRow("zero-padded with dots") << "01.C 02.E 03.a"
                                           << "351"
                                           << "";
    QTest::newRow("parenthesis, lower case") << "1) a\n2) e\n3) c"
                                             << "153"
                                             << "";
    QTest::newRow("no blanks at all") << "1A2B3C4D5E"
                                      << "12345"
                                      << "";
    QTest::newRow("columns out of order") << "1-A 3-C\n2-B 4-D"
                                          << "1234"
                                          << "";
    QTest::newRow("en dash and colon") << "1 – b\n2: d"
                                       << "24"
                                       << "";
    QTest::newRow("bare letters") << "ABCDEabcde"
                                  << "1234512345"
                                  << "";
    QTest::newRow("bare letters with blanks") << "A B\nc d"
                                              << "1234"
                                              << "";
    QTest::newRow("empty") << "  \n "
                           << ""
                           << "vazio";
    QTest::newRow("letter beyond E") << "ABF"
                                     << ""
                                     << "A a E";
    QTest::newRow("numbered answer beyond E") << "1-A 2-X"
                                              << ""
                                              << "questão 2";
    QTest::newRow("gap in numbering") << "1-A 2-B 4-C"
                                      << ""
                                      << "Falta a questão 3";
    QTest::newRow("not starting at 1") << "2-A 3-B"
                                       << ""
                                       << "Falta a questão 1";
    QTest::newRow("duplicate number") << "1-A 2-B 2-C"
                                      << ""
                                      << "questão 2 aparece mais de uma vez";
    QTest::newRow("number without answer") << "1-A 2"
                                           << ""
                                           << "Falta a resposta da questão 2";
    QTest::newRow("two letters for one question") << "1-AB"
                                                  << ""
                                                  << "questão 1";
    QTest::newRow("heading word") << "Gabarito 1-A"
                                  << ""
                                  << "GABARITO";
    QTest::newRow("absurd number") << "1-A 99999-B"
                                   << ""
                                   << "99999";

    // One limit of questions for both shapes; past it the key is refused
    // however long the paste (a whole PDF's text pasted by mistake).
    const auto pairs = [](int n) {
        QString t;
        for (int i = 1; i <= n; ++i)
            t += QString::number(i) + "-A ";
        return t;
    };
    const int max = int(AnswerKeyText::MaxQuestions);
    QTest::newRow("letters at the limit") << QString(max, 'b') << QString(max, '2') << "";
    QTest::newRow("letters past the limit") << QString(max + 1, 'b') << ""
                                            << "até 1000 questões";
    QTest::newRow("400,000 letters") << QString(400000, 'C') << ""
                                     << "mais de 1000 respostas";
    QTest::newRow("pairs at the limit") << pairs(max) << QString(max, '1') << "";
    QTest::newRow("pairs past the limit") << pairs(max + 1) << ""
                                          << "Questão 1001: o Zelvora aceita gabaritos de até 1000";
    QTest::newRow("a very long number") << "1-A " + QString(5000, '7') + "-B"
                                        << ""
                                        << "Questão 777777777777...:";
}

void AnswerKeyTextTest::parse()
{
    QFETCH(QString, text);
    QFETCH(QString, digits);
    QFETCH(QString, refusal);
    const auto key = AnswerKeyText::Parse(text.toStdString());
    QString got;
    for (const auto& d : key.digits)
        got += QString::fromStdString(d);
    QCOMPARE(got, digits);
    QCOMPARE(key.ok(), refusal.isEmpty());
    QVERIFY2(QString::fromStdString(key.error).contains(refusal), key.error.c_str());
}

QTEST_APPLESS_MAIN(AnswerKeyTextTest)
#include "tst_AnswerKeyText.moc"
