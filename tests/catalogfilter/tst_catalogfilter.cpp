// Filtering by one field and the free-text search, without any window: which
// entries match, in which order, and what folding does to accents and case.
#include "catalog/CatalogFilter.h"
#include "text/Collation.h"
#include "text/Windows1252.h"

#include <QtTest>

using namespace zelvora::catalog;
using zelvora::text::Utf8ToCp1252;

namespace {

// Plain byte order keeps the catalog order obvious in the tables below.
class ByteOrder final : public zelvora::text::Collation {
public:
    int compare(std::string_view a, std::string_view b) const override { return a.compare(b); }
};

// The catalog of these tests, in byte order of the lines (the archive names
// a01..a13 follow that order). Written in UTF-8 here, held in Windows-1252.
const char* const kLines[] = {
    "CESGRANRIO#Escritur\xC3\xA1rio#2008#a01.zip",
    "CESPE#Agente de Pol\xC3\xAD"
    "cia#2004#a02.zip",
    "CESPE#Tecnico Judiciario#12008#a03.zip",
    "CESPE#T\xC3\xA9"
    "cnico Judici\xC3\xA1rio#2008#a04.zip",
    "ESAF#Auditor-Fiscal#2008/2#a05.zip",
    "FCC#Analista#2001#a06.zip",
    "FCC-SP#Analista de Sistemas#2002#a07.zip",
    "Funda\xC3\xA7\xC3\xA3o \xC3\x85"
    "sgard#Fiscal#1999#a08.zip",
    "N\xC3\x98RD#Oficial#2003#a09.zip",
    "Prefeitura de Stra\xC3\x9F"
    "e#Gari#2005#a10.zip",
    "Vunesp#Escrevente T\xC3\x89"
    "CNICO#2007#a11.zip",
    "fcc# FCC#2006#a12.zip",
    "\xC5\xA0"
    "ECRETARIA#Ag\xC3\xAAncia \xC3\xBF#2000#a13.zip",
};

Catalog TestCatalog()
{
    std::vector<std::string> lines;
    for (const char* l : kLines)
        lines.push_back(Utf8ToCp1252(l));
    return Catalog::FromLines(lines, ByteOrder());
}

QStringList Archives(const Catalog& catalog, const std::vector<size_t>& rows)
{
    QStringList out;
    for (const size_t i : rows)
        out << QString::fromStdString(catalog.at(i).archiveName).chopped(4);
    return out;
}

} // namespace

Q_DECLARE_METATYPE(CatalogField)

class TestCatalogFilter : public QObject {
    Q_OBJECT
private slots:
    void catalogOrder();
    void filter_data();
    void filter();
    void search_data();
    void search();
    void searchEqualTerms_data();
    void searchEqualTerms();
    void emptyCatalog();
};

void TestCatalogFilter::catalogOrder()
{
    // The tables below rely on entry i holding archive a(i+1).
    const Catalog c = TestCatalog();
    QCOMPARE(c.size(), std::size(kLines));
    for (size_t i = 0; i < c.size(); ++i)
        QCOMPARE(QString::fromStdString(c.at(i).archiveName),
                 QStringLiteral("a%1.zip").arg(i + 1, 2, 10, QLatin1Char('0')));
}

void TestCatalogFilter::filter_data()
{
    QTest::addColumn<CatalogField>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("expected");
    const auto org = CatalogField::Organisation, type = CatalogField::ExamType, year = CatalogField::Year;
    QTest::newRow("organisation, also inside longer names") << org << "FCC" << QStringList{"a06", "a07"};
    QTest::newRow("organisation, letter case counts") << org << "fcc" << QStringList{"a12"};
    QTest::newRow("organisation with a hyphen") << org << "FCC-SP" << QStringList{"a07"};
    QTest::newRow("year inside longer years") << year << "2008" << QStringList{"a01", "a03", "a04", "a05"};
    QTest::newRow("year, exact one") << year << "1999" << QStringList{"a08"};
    QTest::newRow("type, accents count") << type << "Técnico Judiciário" << QStringList{"a04"};
    QTest::newRow("type, no accents") << type << "Tecnico Judiciario" << QStringList{"a03"};
    QTest::newRow("type with a leading blank") << type << " FCC" << QStringList{"a12"};
    QTest::newRow("type, middle of the text") << type << "de" << QStringList{"a02", "a07"};
    QTest::newRow("empty value occurs nowhere") << org << "" << QStringList{};
    QTest::newRow("no such value") << org << "CESPE2" << QStringList{};
    QTest::newRow("the whole field and more") << year << "20088" << QStringList{};
    QTest::newRow("fields are not joined") << org << "CESPE#" << QStringList{};
}

void TestCatalogFilter::filter()
{
    QFETCH(CatalogField, field);
    QFETCH(QString, value);
    QFETCH(QStringList, expected);
    const Catalog c = TestCatalog();
    QCOMPARE(Archives(c, FilterByField(c, field, Utf8ToCp1252(value.toStdString()))), expected);
}

void TestCatalogFilter::search_data()
{
    QTest::addColumn<QString>("term");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("lower case finds every case and accent") << "tecnico" << QStringList{"a03", "a04", "a11"};
    QTest::newRow("organisation field") << "cesp" << QStringList{"a02", "a03", "a04"};
    QTest::newRow("year field") << "2008/" << QStringList{"a05"};
    QTest::newRow("entry found once though two fields hold it") << "fcc" << QStringList{"a06", "a07", "a12"};
    QTest::newRow("ç and ã") << "FUNDACAO" << QStringList{"a08"};
    QTest::newRow("Å stays Å but meets å") << "å" << QStringList{"a08"};
    QTest::newRow("A does not meet Å") << "asgard" << QStringList{};
    QTest::newRow("ø meets Ø") << "nørd" << QStringList{"a09"};
    QTest::newRow("O does not meet Ø") << "nord" << QStringList{};
    QTest::newRow("ß is not ss") << "strasse" << QStringList{};
    QTest::newRow("ß meets ß") << "straße" << QStringList{"a10"};
    QTest::newRow("š meets Š") << "šecretaria" << QStringList{"a13"};
    QTest::newRow("y meets ÿ") << "ncia y" << QStringList{"a13"};
    QTest::newRow("Ÿ meets ÿ") << "Ÿ" << QStringList{"a13"};
    QTest::newRow("words across fields") << "cespe agente" << QStringList{"a02"};
    QTest::newRow("words in any order") << "judiciario tecnico" << QStringList{"a03", "a04"};
    QTest::newRow("every word must occur") << "judiciario 2004" << QStringList{};
    QTest::newRow("words and the year") << "judiciario  2008" << QStringList{"a03", "a04"};
    QTest::newRow("blanks only") << "   " << QStringList{};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("no match") << "zzz" << QStringList{};
    QTest::newRow("inner blank kept") << "de sis" << QStringList{"a07"};
    QTest::newRow("very long term") << QString(10000, QLatin1Char('a')) << QStringList{};
}

void TestCatalogFilter::search()
{
    QFETCH(QString, term);
    QFETCH(QStringList, expected);
    const Catalog c = TestCatalog();
    QCOMPARE(Archives(c, SearchCatalog(c, Utf8ToCp1252(term.toStdString()))), expected);
}

void TestCatalogFilter::searchEqualTerms_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::newRow("letter case") << "judiciario"
                                 << "JUDICIARIO";
    QTest::newRow("accents of the table") << "judiciário"
                                          << "judiciario";
    QTest::newRow("accents in capitals") << "JUDICIÁRIO"
                                         << "judiciario";
    QTest::newRow("leading and trailing blanks") << "  escri\t"
                                                 << "escri";
    QTest::newRow("line breaks at the ends") << "\r\nescri\r\n"
                                             << "ESCRI";
    QTest::newRow("cedilla") << "POLÍCIA"
                             << "policia";
}

void TestCatalogFilter::searchEqualTerms()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    const Catalog c = TestCatalog();
    const auto rowsA = SearchCatalog(c, Utf8ToCp1252(a.toStdString()));
    QVERIFY(!rowsA.empty());
    QCOMPARE(rowsA, SearchCatalog(c, Utf8ToCp1252(b.toStdString())));
}

void TestCatalogFilter::emptyCatalog()
{
    const Catalog c;
    QVERIFY(FilterByField(c, CatalogField::Year, "2008").empty());
    QVERIFY(SearchCatalog(c, "2008").empty());
}

QTEST_APPLESS_MAIN(TestCatalogFilter)
#include "tst_catalogfilter.moc"
