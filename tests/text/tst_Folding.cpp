// Upper case, accent removal and the two search foldings of Windows-1252
// text. Whole-table checks derive what to expect from Qt's Unicode data, so
// they do not repeat the tables under test.
#include "text/Folding.h"
#include "text/Windows1252.h"

#include <QTest>

using namespace zelvora::text;

namespace {

std::string B(const QByteArray& b)
{
    return b.toStdString();
}

QByteArray Q(const std::string& s)
{
    return QByteArray::fromStdString(s);
}

// The 1252 byte of a code point, or -1 when 1252 has none.
int ByteOf(char32_t cp)
{
    const uint8_t b = UnicodeToCp1252(cp);
    return (b == '?' && cp != U'?') ? -1 : b;
}

} // namespace

class FoldingTest : public QObject {
    Q_OBJECT
private slots:
    void upperCaseFollowsUnicode();
    void upperCase_data();
    void upperCase();
    void removeAcentosFollowsUnicode();
    void removeAcentos_data();
    void removeAcentos();
    void foldingsKeepLength();
    void everyCharacterFindsItself();
    void trimsSpacesAndControlsOnly();
    void searchTerm_data();
    void searchTerm();
    void search_data();
    void search();
};

void FoldingTest::upperCaseFollowsUnicode()
{
    // A byte becomes the 1252 byte of its Unicode upper case when 1252 has
    // one, else it stays (µ's upper case is Greek, ß has no single upper).
    for (int b = 0; b < 256; ++b) {
        const char32_t upper = QChar::toUpper(uint(Cp1252ToUnicode(uint8_t(b))));
        const int want = ByteOf(upper) < 0 ? b : ByteOf(upper);
        QVERIFY2(UpperCase1252(uint8_t(b)) == want, qPrintable(QString::number(b, 16)));
    }
}

void FoldingTest::upperCase_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("upper");
    QTest::newRow("ascii") << QByteArray("abc XYZ 09#") << QByteArray("ABC XYZ 09#");
    QTest::newRow("accents") << QByteArray("a\xE7\xE3o \xE9") << QByteArray("A\xC7\xC3O \xC9");
    QTest::newRow("y diaeresis to 9F") << QByteArray("\xFF") << QByteArray("\x9F");
    QTest::newRow("s z oe with caron") << QByteArray("\x9A\x9C\x9E") << QByteArray("\x8A\x8C\x8E");
    QTest::newRow("sharp s micro ordinals stay") << QByteArray("\xDF\xB5\xAA\xBA") << QByteArray("\xDF\xB5\xAA\xBA");
    QTest::newRow("division and multiplication stay") << QByteArray("\xF7\xD7") << QByteArray("\xF7\xD7");
    QTest::newRow("upper stays upper") << QByteArray("\xC0\xDE\x8A") << QByteArray("\xC0\xDE\x8A");
}

void FoldingTest::upperCase()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, upper);
    QCOMPARE(Q(UpperCase1252(B(text))), upper);
}

void FoldingTest::removeAcentosFollowsUnicode()
{
    // A letter whose canonical decomposition starts with a plain ASCII letter
    // loses its mark, except Å å Š š Ž ž, which stay as they are.
    const std::string keep = "\xC5\xE5\x8A\x9A\x8E\x9E";
    for (int b = 0; b < 256; ++b) {
        const QChar c{char16_t(Cp1252ToUnicode(uint8_t(b)))};
        int want = b;
        if (c.decompositionTag() == QChar::Canonical && keep.find(char(b)) == std::string::npos) {
            const QString d = c.decomposition();
            if (!d.isEmpty() && d[0].unicode() < 0x80 && d[0].isLetter())
                want = d[0].unicode();
        }
        QVERIFY2(uint8_t(RemoveAcentos(std::string(1, char(b)))[0]) == want, qPrintable(QString::number(b, 16)));
    }
}

void FoldingTest::removeAcentos_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("plain");
    QTest::newRow("portuguese") << QByteArray("A\xE7\xE3o Mar\xEDtima S\xC3O JO\xC3O")
                                << QByteArray("Acao Maritima SAO JOAO");
    QTest::newRow("case kept") << QByteArray("\xC9\xE9\xC7\xE7\xD1\xF1") << QByteArray("EeCcNn");
    QTest::newRow("every vowel accent") << QByteArray("\xC0\xC1\xC2\xC3\xC4\xE0\xE1\xE2\xE3\xE4")
                                        << QByteArray("AAAAAaaaaa");
    QTest::newRow("y forms") << QByteArray("\xDD\x9F\xFD\xFF") << QByteArray("YYyy");
    QTest::newRow("left alone")
        << QByteArray("\xC5\xE5\xC6\xE6\xD8\xF8\xDF\xD0\xF0\xDE\xFE\x8A\x9A\x8E\x9E\x8C\x9C\xAA\xBA")
        << QByteArray("\xC5\xE5\xC6\xE6\xD8\xF8\xDF\xD0\xF0\xDE\xFE\x8A\x9A\x8E\x9E\x8C\x9C\xAA\xBA");
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void FoldingTest::removeAcentos()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, plain);
    QCOMPARE(Q(RemoveAcentos(B(text))), plain);
}

void FoldingTest::foldingsKeepLength()
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    QCOMPARE(UpperCase1252(all).size(), all.size());
    QCOMPARE(RemoveAcentos(all).size(), all.size());
    QCOMPARE(FoldForSearch(all).size(), all.size());
    // Blanks and control characters only go at the ends.
    const std::string inner = "x" + all + "x";
    QCOMPARE(FoldSearchTerm(inner).size(), inner.size());
}

void FoldingTest::everyCharacterFindsItself()
{
    // The term and the fields are folded in a different order; for every
    // printable byte and its upper and lower forms the term must still be
    // found in the field.
    for (int b = 0x21; b < 256; ++b) {
        const std::string one(1, char(b));
        const std::string term = FoldSearchTerm(one);
        if (term.empty())
            continue; // a space or control character, trimmed away
        QCOMPARE(term.size(), size_t(1));
        QVERIFY2(FoldForSearch(one) == term, qPrintable(QString::number(b, 16)));
        QVERIFY2(FoldForSearch(UpperCase1252(one)) == term, qPrintable(QString::number(b, 16)));
    }
}

void FoldingTest::trimsSpacesAndControlsOnly()
{
    // Which bytes the term loses at its ends follows Unicode: spaces and
    // control characters, nothing else.
    for (int b = 0; b < 256; ++b) {
        const QChar c{char16_t(Cp1252ToUnicode(uint8_t(b)))};
        const bool blank = c.isSpace() || c.category() == QChar::Other_Control;
        const std::string term = FoldSearchTerm(std::string(1, char(b)) + "a" + char(b));
        QVERIFY2(term.size() == (blank ? 1u : 3u), qPrintable(QString::number(b, 16)));
    }
}

void FoldingTest::searchTerm_data()
{
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QByteArray>("folded");
    QTest::newRow("accents and case") << QByteArray("a\xE7\xE3o") << QByteArray("ACAO");
    QTest::newRow("blanks trimmed") << QByteArray("  fcc \t") << QByteArray("FCC");
    QTest::newRow("control characters trimmed") << QByteArray("\x01\r\n\x1F"
                                                              "x\x7F\x1B\r\n")
                                                << QByteArray("X");
    QTest::newRow("no-break space and C1 trimmed") << QByteArray("\xA0\x81x\x9D\xA0") << QByteArray("X");
    QTest::newRow("inner blanks kept") << QByteArray(" a  b ") << QByteArray("A  B");
    QTest::newRow("only blanks") << QByteArray(" \t \r\n") << QByteArray();
    QTest::newRow("ring kept") << QByteArray("\xE5") << QByteArray("\xC5");
    QTest::newRow("y diaeresis") << QByteArray("\xFF") << QByteArray("Y");
}

void FoldingTest::searchTerm()
{
    QFETCH(QByteArray, typed);
    QFETCH(QByteArray, folded);
    QCOMPARE(Q(FoldSearchTerm(B(typed))), folded);
}

void FoldingTest::search_data()
{
    QTest::addColumn<QByteArray>("term");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<bool>("found");
    QTest::newRow("A ring finds a ring") << QByteArray("\xC5") << QByteArray("\xE5lborg") << true;
    QTest::newRow("a ring finds A ring") << QByteArray("\xE5") << QByteArray("\xC5LBORG") << true;
    QTest::newRow("O does not find O slash") << QByteArray("O") << QByteArray("\xD8resund") << false;
    QTest::newRow("O slash does not find O") << QByteArray("\xF8") << QByteArray("Oresund") << false;
    QTest::newRow("plain finds accented") << QByteArray("sao paulo") << QByteArray("Tribunal de S\xC3O PAULO") << true;
    QTest::newRow("accented finds plain") << QByteArray("S\xC3O") << QByteArray("Sao") << true;
    QTest::newRow("cedilla") << QByteArray("policia")
                             << QByteArray("Pol\xED"
                                           "cia Federal")
                             << true;
    QTest::newRow("sharp s is not ss") << QByteArray("ss")
                                       << QByteArray("Stra\xDF"
                                                     "e")
                                       << false;
    QTest::newRow("trimmed term") << QByteArray(" cespe\r\n") << QByteArray("CESPE/UnB") << true;
    QTest::newRow("inner blank kept") << QByteArray("cespe unb") << QByteArray("CESPE/UnB") << false;
    QTest::newRow("empty term finds nothing") << QByteArray("  ") << QByteArray("anything") << false;
}

void FoldingTest::search()
{
    QFETCH(QByteArray, term);
    QFETCH(QByteArray, field);
    QFETCH(bool, found);
    const std::string t = FoldSearchTerm(B(term));
    const bool hit = !t.empty() && FoldForSearch(B(field)).find(t) != std::string::npos;
    QCOMPARE(hit, found);
}

QTEST_GUILESS_MAIN(FoldingTest)
#include "tst_Folding.moc"
