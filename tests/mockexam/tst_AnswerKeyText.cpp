// Answer keys pasted in the shapes people copy from answer-key PDFs.
#include "mockexam/AnswerKeyText.h"

#include <QTest>

using zelvora::mockexam::AnswerKeyText;

class AnswerKeyTextTest : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void readSheet_data();
    void readSheet();
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

// Keys copied out of board PDFs: "title=ANSWERS anuladas n,m CE" per
// section, " | " between them; a refusal as "!code".
void AnswerKeyTextTest::readSheet_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("sheet");

    QTest::newRow("grid run together") << "Item 1 23456789 1 0 1 1 1 2\nGabarito E CCCEEEEE C C C"
                                       << "=ECCCEEEEECCC CE";
    QTest::newRow("padded numbers run together") << "010203040506\nA B C D E A"
                                                 << "=ABCDEA";
    QTest::newRow("grid rows continue") << "1 2 3 4 5\nA B C D E\n6 7 8 9 10\nE D C B A"
                                        << "=ABCDEEDCBA";
    QTest::newRow("grid with NULA") << "1 2 3\nA NULA C"
                                    << "=AXC anuladas 2";
    QTest::newRow("X and star annul") << "1-A 2-X 3-*\n4-E\nObs.: ( X ) item anulado."
                                      << "=AXXE anuladas 2,3";
    QTest::newRow("page break keeps the post") << "CARGO 1: AGENTE\n1-C 2-E\n\fCARGO 1: AGENTE\n3-E"
                                               << "CARGO 1: AGENTE=CEE";
    QTest::newRow("two posts, numbered titles")
        << "005. PROVA OBJETIVA - AGENTE\n1 A\n006. PROVA OBJETIVA - PERITO\n1 B"
        << "005. PROVA OBJETIVA - AGENTE=A | 006. PROVA OBJETIVA - PERITO=B";
    QTest::newRow("versions table, rows in blocks") << "Questão Versão 1 Versão 2\n1 A B 3 E A\n2 C D"
                                                    << "Versão 1=ACE | Versão 2=BDA";
    QTest::newRow("table with run-together cells") << "Qst T1 T2 T3\n1 ABC\n2 CAB"
                                                   << "T1=AC | T2=BA | T3=CB";
    QTest::newRow("table header without its question label") << "Tipo 1 Tipo 2\n1 A B\n2 C D"
                                                             << "Tipo 1=AC | Tipo 2=BD";
    QTest::newRow("table of booklet sections") << "Questão Prova Tipo A Prova Tipo B\n1 E A\n2 D B"
                                               << "Prova Tipo A=ED | Prova Tipo B=AB";
    QTest::newRow("few C and E stay options") << "1-C 2-E 3-C"
                                              << "=CEC";
    QTest::newRow("bare letters fall back") << "ABCDE\nabcde"
                                            << "=ABCDEABCDE";
    QTest::newRow("a gap is refused") << "1-A 2-B\n4-D"
                                      << "!6";
    QTest::newRow("no answers") << "Resultado preliminar\nSem respostas"
                                << "!5";
    QTest::newRow("heading as title, footer ignored") << "Gabarito oficial\n1-B 2-D\nPágina 1 de 1"
                                                      << "Gabarito oficial=BD";
}

void AnswerKeyTextTest::readSheet()
{
    QFETCH(QString, text);
    QFETCH(QString, sheet);
    const auto read = AnswerKeyText::ReadSheet(text.toStdString());
    QString got;
    if (!read) {
        got = QStringLiteral("!%1").arg(int(read.code()));
    } else {
        QStringList parts;
        for (const auto& s : read->sections) {
            QString one = QString::fromStdString(s.title) + '=';
            for (const auto& a : s.answers)
                one += QString::fromStdString(a);
            QStringList annulled;
            for (const int n : s.annulled)
                annulled << QString::number(n);
            if (!annulled.isEmpty())
                one += " anuladas " + annulled.join(',');
            if (s.rightWrong)
                one += " CE";
            parts << one;
        }
        got = parts.join(" | ");
    }
    QCOMPARE(got, sheet);
}

QTEST_APPLESS_MAIN(AnswerKeyTextTest)
#include "tst_AnswerKeyText.moc"
