// The Portuguese (Brazil) case-insensitive collation on Windows-1252 bytes:
// letter case ignored, accents kept apart, ties kept in their original order,
// and the sort-key path agreeing with the one-pair comparison.
#include "text/Cp1252QString.h"
#include "text/PtBrCollation.h"
#include "text/Windows1252.h"

#include <QRandomGenerator>
#include <QTest>

using namespace zelvora::text;

namespace {

int Sign(int v)
{
    return (v > 0) - (v < 0);
}

std::string Cp(const char* utf8)
{
    return Utf8ToCp1252(utf8);
}

// Sorts through the base class, which uses nothing but compare().
class ByCompare final : public Collation {
public:
    explicit ByCompare(const Collation& c) : m_c(c) {}
    int compare(std::string_view a, std::string_view b) const override { return m_c.compare(a, b); }

private:
    const Collation& m_c;
};

} // namespace

class PtBrCollationTest : public QObject {
    Q_OBJECT
private slots:
    void compares_data();
    void compares();
    void tiesKeepTheirOrder();
    void sortKeysAgreeWithCompare();
    void sortedDistinctKeepsFirst();
    void qstringConversionKeepsEveryByte();

private:
    PtBrCollation m_collation;
};

void PtBrCollationTest::compares_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("sign");

    QTest::newRow("case ignored") << "Fundação Carlos Chagas"
                                  << "FUNDAÇÃO CARLOS CHAGAS" << 0;
    QTest::newRow("case ignored, accented capitals") << "ÁGUA"
                                                     << "água" << 0;
    QTest::newRow("case ignored, typographic letters") << "šœžÿ"
                                                       << "ŠŒŽŸ" << 0;
    QTest::newRow("A ring either case") << "Ålborg"
                                        << "ålborg" << 0;
    QTest::newRow("accent kept apart") << "Sao Paulo"
                                       << "São Paulo" << -1;
    QTest::newRow("cedilla kept apart") << "acao"
                                        << "ação" << -1;
    QTest::newRow("accent before next letter") << "é"
                                               << "f" << -1;
    QTest::newRow("base letter decides first") << "Éa"
                                               << "Eb" << -1;
    QTest::newRow("O slash is not O") << "Oresund"
                                      << "Øresund" << -1;
    QTest::newRow("alphabetical, not byte order") << "Zebra"
                                                  << "abelha" << 1;
    QTest::newRow("lower before upper in bytes") << "banco"
                                                 << "Caixa" << -1;
    QTest::newRow("prefix first") << "TRT"
                                  << "TRT 2" << -1;
    QTest::newRow("leading blank counts") << " FCC"
                                          << "FCC" << -1;
    QTest::newRow("trailing blank counts") << "FCC"
                                           << "FCC " << -1;
    QTest::newRow("years as text") << "2008"
                                   << "2010" << -1;
    QTest::newRow("empty") << ""
                           << "" << 0;
    QTest::newRow("empty first") << ""
                                 << "a" << -1;
    QTest::newRow("control characters are ignorable") << "a\u0001b"
                                                      << "ab" << 0;
    QTest::newRow("empty equals ignorable only") << ""
                                                 << "\u0001\u0002" << 0;
    QTest::newRow("empty against ignorable and letter") << ""
                                                        << "\u0001a" << -1;
    QTest::newRow("field separator") << "TJ#Analista"
                                     << "TJ#analista" << 0;
}

void PtBrCollationTest::compares()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, sign);
    const std::string x = Cp(a.toUtf8().constData()), y = Cp(b.toUtf8().constData());
    QCOMPARE(Sign(m_collation.compare(x, y)), sign);
    QCOMPARE(Sign(m_collation.compare(y, x)), -sign);

    // The sorting path (sort keys) gives the same answer.
    std::vector<bool> equal;
    const auto order = m_collation.stableOrder({x, y}, &equal);
    QCOMPARE(order, (sign > 0 ? std::vector<size_t>{1, 0} : std::vector<size_t>{0, 1}));
    QCOMPARE(bool(equal[1]), sign == 0);
}

void PtBrCollationTest::tiesKeepTheirOrder()
{
    const std::vector<std::string> items = {"b", "B", Cp("á"), "a", "A", "b", Cp("Á")};
    const std::vector<std::string_view> views(items.begin(), items.end());
    std::vector<bool> equal;
    const auto order = m_collation.stableOrder(views, &equal);
    QCOMPARE(order, (std::vector<size_t>{3, 4, 2, 6, 0, 1, 5}));
    QCOMPARE(equal, (std::vector<bool>{false, true, false, true, false, true, true}));
}

void PtBrCollationTest::sortKeysAgreeWithCompare()
{
    // Random lines over a small alphabet of letters that differ in case and
    // accent, so many pairs tie or differ only in an accent.
    const char* pieces[] = {"a", "A", "á", "Á", "ã", "c", "ç", "Ç", "e", "É",  "o", "Ø",
                            "ô", "s", "š", "Š", " ", "#", "1", "9", "ß", "ss", "ÿ", "Ÿ"};
    QRandomGenerator rng(1234);
    std::vector<std::string> items;
    for (int i = 0; i < 1500; ++i) {
        std::string utf8;
        const int n = rng.bounded(0, 6);
        for (int k = 0; k < n; ++k)
            utf8 += pieces[rng.bounded(int(std::size(pieces)))];
        items.push_back(Cp(utf8.c_str()));
    }
    const std::vector<std::string_view> views(items.begin(), items.end());
    std::vector<bool> equalByKeys, equalByCompare;
    const auto byKeys = m_collation.stableOrder(views, &equalByKeys);
    const auto byCompare = ByCompare(m_collation).stableOrder(views, &equalByCompare);
    QVERIFY(byKeys == byCompare);
    QVERIFY(equalByKeys == equalByCompare);
    for (size_t k = 1; k < byKeys.size(); ++k) {
        const int c = m_collation.compare(views[byKeys[k - 1]], views[byKeys[k]]);
        QVERIFY(c <= 0);
        QCOMPARE(c == 0, bool(equalByKeys[k]));
        if (c == 0)
            QVERIFY(byKeys[k - 1] < byKeys[k]); // stable
    }
}

void PtBrCollationTest::sortedDistinctKeepsFirst()
{
    const std::vector<std::string> items = {"TRT", Cp("Área"), "trt", "Area", Cp("ÁREA"), "TRT "};
    const std::vector<std::string_view> views(items.begin(), items.end());
    QCOMPARE(SortedDistinct(m_collation, views), (std::vector<size_t>{3, 1, 0, 5}));
}

QTEST_GUILESS_MAIN(PtBrCollationTest)
// Every byte becomes one UTF-16 unit by the 1252 table (the five undefined
// bytes keep their value), also when a longer buffer is reused, and the
// UTF-8 route gives the same text.
void PtBrCollationTest::qstringConversionKeepsEveryByte()
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += char(b);
    const QString q = zelvora::text::Cp1252ToQString(all);
    QCOMPARE(q.size(), qsizetype(all.size()));
    for (int i = 0; i < q.size(); ++i)
        QCOMPARE(char32_t(q.at(i).unicode()), zelvora::text::Cp1252ToUnicode(uint8_t(all[size_t(i)])));
    QCOMPARE(q, QString::fromStdString(zelvora::text::Cp1252ToUtf8(all)));

    QString reused = QStringLiteral("a much longer text than the next one");
    zelvora::text::Cp1252ToQString("Jo\xe3o \x80", reused);
    QCOMPARE(reused, QStringLiteral("João €"));
    QVERIFY(zelvora::text::Cp1252ToQString("").isEmpty());
}

#include "tst_PtBrCollation.moc"
