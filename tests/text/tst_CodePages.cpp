// Windows-1252 <-> Unicode and code page 850 -> Windows-1252, checked byte by
// byte against Python's cp1252 and cp850 codecs, which the test runs when it
// starts (python3 is one of the packages the project installs).
#include "text/CodePage850.h"
#include "text/Windows1252.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using namespace zelvora::text;

namespace {

// Runs a Python snippet; each printed line is "byte value" in decimal, value
// -1 where Python's codec has no mapping.
QMap<int, int> PythonTable(const QString& script)
{
    QMap<int, int> table;
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        return table;
    QProcess p;
    p.start(python, {QStringLiteral("-c"), script});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return table;
    for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
        const auto parts = line.trimmed().split(' ');
        if (parts.size() == 2)
            table.insert(parts[0].toInt(), parts[1].toInt());
    }
    return table;
}

std::string AllBytes()
{
    std::string s;
    for (int b = 0; b < 256; ++b)
        s += char(b);
    return s;
}

} // namespace

class CodePagesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cp1252MatchesPython();
    void everyCp1252ByteRoundTrips();
    void utf8RoundTripOfEveryByte();
    void utf8ToCp1252_data();
    void utf8ToCp1252();
    void cp850MatchesPython();

private:
    QMap<int, int> m_cp1252; // byte -> code point
    QMap<int, int> m_cp850; // cp850 byte -> cp1252 byte
};

void CodePagesTest::initTestCase()
{
    m_cp1252 = PythonTable(QStringLiteral("for b in range(256):\n"
                                          "    try: print(b, ord(bytes([b]).decode('cp1252')))\n"
                                          "    except UnicodeDecodeError: print(b, -1)\n"));
    m_cp850 = PythonTable(QStringLiteral("for b in range(256):\n"
                                         "    u = bytes([b]).decode('cp850')\n"
                                         "    try: print(b, u.encode('cp1252')[0])\n"
                                         "    except UnicodeEncodeError: print(b, -1)\n"));
}

void CodePagesTest::cp1252MatchesPython()
{
    if (m_cp1252.size() != 256)
        QSKIP("python3 with its cp1252 codec is needed to check the table");
    int undefined = 0;
    for (int b = 0; b < 256; ++b) {
        const int expected = m_cp1252.value(b);
        // Windows leaves five bytes undefined; they map to the code point of
        // the same value so that no byte is lost.
        const char32_t want = expected < 0 ? char32_t(b) : char32_t(expected);
        undefined += expected < 0;
        QVERIFY2(Cp1252ToUnicode(uint8_t(b)) == want, qPrintable(QString::number(b, 16)));
    }
    QCOMPARE(undefined, 5);
}

void CodePagesTest::everyCp1252ByteRoundTrips()
{
    for (int b = 0; b < 256; ++b)
        QVERIFY2(UnicodeToCp1252(Cp1252ToUnicode(uint8_t(b))) == b, qPrintable(QString::number(b, 16)));
    // Code points of the C1 range that 1252 replaced by typographic characters
    // have no byte.
    QCOMPARE(int(UnicodeToCp1252(0x80)), int('?'));
    QCOMPARE(int(UnicodeToCp1252(0x9F)), int('?'));
    QCOMPARE(int(UnicodeToCp1252(0x100)), int('?'));
    QCOMPARE(int(UnicodeToCp1252(0x1F600)), int('?'));
}

void CodePagesTest::utf8RoundTripOfEveryByte()
{
    const std::string all = AllBytes();
    const std::string utf8 = Cp1252ToUtf8(all);
    QVERIFY(IsValidUtf8(utf8));

    // Qt's own UTF-8 encoder gives the same bytes for the same code points.
    QString expected;
    for (int b = 0; b < 256; ++b)
        expected += QChar(char16_t(Cp1252ToUnicode(uint8_t(b))));
    QCOMPARE(QByteArray::fromStdString(utf8), expected.toUtf8());

    QVERIFY(Utf8ToCp1252(utf8) == all);
}

void CodePagesTest::utf8ToCp1252_data()
{
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<QByteArray>("cp1252");
    QTest::addColumn<bool>("valid");

    QTest::newRow("ascii") << QByteArray("abc#123") << QByteArray("abc#123") << true;
    QTest::newRow("accents") << QByteArray("Ação é Ü") << QByteArray("A\xE7\xE3o \xE9 \xDC") << true;
    QTest::newRow("typographic") << QByteArray("€ “x” – Œ Ÿ") << QByteArray("\x80 \x93x\x94 \x96 \x8C \x9F") << true;
    QTest::newRow("missing from 1252") << QByteArray("a漢b") << QByteArray("a?b") << true;
    QTest::newRow("four bytes one char") << QByteArray("a\xF0\x9F\x98\x80"
                                                       "b")
                                         << QByteArray("a?b") << true;
    QTest::newRow("lone continuation") << QByteArray("a\x80"
                                                     "b")
                                       << QByteArray("a?b") << false;
    QTest::newRow("truncated at end") << QByteArray("a\xC3") << QByteArray("a?") << false;
    QTest::newRow("truncated inside") << QByteArray("\xE2\x82"
                                                    "b")
                                      << QByteArray("??b") << false;
    QTest::newRow("overlong") << QByteArray("\xC0\xAF") << QByteArray("??") << false;
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << QByteArray("???") << false;
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << QByteArray("????") << false;
    QTest::newRow("1252 bytes are not UTF-8") << QByteArray("S\xE3o") << QByteArray("S?o") << false;
}

void CodePagesTest::utf8ToCp1252()
{
    QFETCH(QByteArray, utf8);
    QFETCH(QByteArray, cp1252);
    QFETCH(bool, valid);
    QCOMPARE(QByteArray::fromStdString(Utf8ToCp1252(utf8.toStdString())), cp1252);
    QCOMPARE(IsValidUtf8(utf8.toStdString()), valid);
}

void CodePagesTest::cp850MatchesPython()
{
    if (m_cp850.size() != 256)
        QSKIP("python3 with its cp850 and cp1252 codecs is needed to check the table");
    std::string expected;
    for (int b = 0; b < 256; ++b) {
        const int want = m_cp850.value(b) < 0 ? '?' : m_cp850.value(b);
        expected += char(want);
        QVERIFY2(Cp850ToCp1252(uint8_t(b)) == want, qPrintable(QStringLiteral("850 byte %1").arg(b, 2, 16)));
    }
    QVERIFY(Cp850ToCp1252(AllBytes()) == expected);
    // The letters a Portuguese archive name needs all survive.
    QCOMPARE(QByteArray::fromStdString(Cp850ToCp1252("\x87\xC6\x83\x82\x93\xE4\xA0\x80\x90")),
             QByteArray("\xE7\xE3\xE2\xE9\xF4\xF5\xE1\xC7\xC9"));
}

QTEST_GUILESS_MAIN(CodePagesTest)
#include "tst_CodePages.moc"
