// The catalog model read from "nomes.txt": order, duplicates, fields, the
// three filter lists, and what bad files give.
#include "catalog/Catalog.h"
#include "catalog/CatalogLine.h"
#include "support/HazardFile.h"
#include "text/DataFile.h"
#include "text/PtBrCollation.h"
#include "text/TextList.h"
#include "text/Windows1252.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <fstream>

using zelvora::catalog::Catalog;
using zelvora::catalog::CatalogEntry;
using namespace zelvora::text;

namespace {

std::string Cp(const QString& utf8)
{
    return Utf8ToCp1252(utf8.toUtf8().toStdString());
}

QString Uni(const std::string& cp1252)
{
    return QString::fromStdString(Cp1252ToUtf8(cp1252));
}

QStringList Uni(const std::vector<std::string>& values)
{
    QStringList out;
    for (const auto& v : values)
        out << Uni(v);
    return out;
}

QStringList Lines(const Catalog& c)
{
    QStringList out;
    for (const auto& e : c.entries())
        out << Uni(e.organisation + "#" + e.examType + "#" + e.year + "#" + e.archiveName);
    return out;
}

// The same rules written the slow way, as a sorted list that each line is
// inserted into (pair comparisons, no sort keys), then a field loop with a
// counter and filter lists searched item by item.
struct Reference {
    std::vector<CatalogEntry> entries;
    std::vector<std::string> orgs, types, years;
};

void AddValue(std::vector<std::string>& list, const std::string& v, const Collation& c)
{
    const auto at = std::lower_bound(list.begin(), list.end(), v,
                                     [&](const std::string& a, const std::string& b) { return c.compare(a, b) < 0; });
    if (at == list.end() || c.compare(*at, v) != 0)
        list.insert(at, v);
}

Reference BuildReference(const std::string& bytes, const Collation& c)
{
    std::vector<std::string> sorted;
    for (const auto& line : SplitTextLines(bytes)) {
        const auto at = std::lower_bound(
            sorted.begin(), sorted.end(), line,
            [&](const std::string& a, const std::string& b) { return c.compare(a, b) < 0; });
        if (at == sorted.end() || c.compare(*at, line) != 0)
            sorted.insert(at, line);
    }
    Reference r;
    for (const auto& line : sorted) {
        if (std::count(line.begin(), line.end(), '#') < 3)
            continue;
        std::string work = line;
        std::string fields[4];
        for (int counter = 0; counter < 3; ++counter) {
            const auto hash = work.find('#');
            fields[counter] = work.substr(0, hash);
            work.erase(0, hash + 1);
        }
        fields[3] = work;
        r.entries.push_back({fields[0], fields[1], fields[2], fields[3]});
        AddValue(r.orgs, fields[0], c);
        AddValue(r.types, fields[1], c);
        AddValue(r.years, fields[2], c);
    }
    return r;
}

} // namespace

class CatalogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void ordering_data();
    void ordering();
    void lineEndsLoadTheSame();
    void fields_data();
    void fields();
    void filterLists_data();
    void filterLists();
    void leftOutLines();
    void noFileGivesAnEmptyCatalog();
    void hazardGivesAnEmptyCatalog_data();
    void hazardGivesAnEmptyCatalog();
    void badInput_data();
    void badInput();
    void tenMegabyteLine();
    void junkGivesWhatTheRulesGive_data();
    void junkGivesWhatTheRulesGive();
    void severalFolders_data();
    void severalFolders();

private:
    Catalog LoadBytes(const std::string& bytes);
    Catalog LoadText(const QString& utf8) { return LoadBytes(Cp(utf8)); }

    PtBrCollation m_collation;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void CatalogTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

Catalog CatalogTest::LoadBytes(const std::string& bytes)
{
    const std::string path = m_dir->filePath("nomes.txt").toStdString();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
    return Catalog::Load(path, m_collation);
}

void CatalogTest::ordering_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("reverse file comes out ascending")
        << "TRT#Técnico#2010#c.zip\r\nFCC#Analista#2008#b.zip\r\nCESPE#Agente#2004#a.zip\r\n"
        << QStringList{"CESPE#Agente#2004#a.zip", "FCC#Analista#2008#b.zip", "TRT#Técnico#2010#c.zip"};
    QTest::newRow("case ignored in the order") << "banco#x#1#a\nAgência#x#1#b\nCaixa#x#1#c\n"
                                               << QStringList{"Agência#x#1#b", "banco#x#1#a", "Caixa#x#1#c"};
    QTest::newRow("whole line decides") << "FCC#Técnico#2008#a\nFCC#Analista#2010#b\nFCC#Analista#2009#c\n"
                                        << QStringList{"FCC#Analista#2009#c", "FCC#Analista#2010#b",
                                                       "FCC#Técnico#2008#a"};
    QTest::newRow("duplicate by case, first in file survives")
        << "FCC#Analista#2008#prova.zip\nfcc#ANALISTA#2008#PROVA.ZIP\n"
        << QStringList{"FCC#Analista#2008#prova.zip"};
    QTest::newRow("duplicate by case, other file order") << "fcc#ANALISTA#2008#PROVA.ZIP\nFCC#Analista#2008#prova.zip\n"
                                                         << QStringList{"fcc#ANALISTA#2008#PROVA.ZIP"};
    QTest::newRow("three spellings, one survivor") << "b#x#1#1\nA#B#C#D\na#b#c#d\nA#b#C#d\n"
                                                   << QStringList{"A#B#C#D", "b#x#1#1"};
    QTest::newRow("accented capitals are duplicates by case") << "ÁREA FISCAL#x#1#a\nárea fiscal#x#1#a\n"
                                                              << QStringList{"ÁREA FISCAL#x#1#a"};
    QTest::newRow("lines that differ in an accent both stay") << "São Paulo#x#1#a\nSao Paulo#x#1#a\n"
                                                              << QStringList{"Sao Paulo#x#1#a", "São Paulo#x#1#a"};
    QTest::newRow("exact repeat dropped") << "a#b#c#d\na#b#c#d\n" << QStringList{"a#b#c#d"};
    QTest::newRow("blanks make another line") << "FCC#x#1#a\nFCC #x#1#a\n" << QStringList{"FCC #x#1#a", "FCC#x#1#a"};
    QTest::newRow("lines without all four fields are skipped") << "a\n\nb#c\nd#e#f\ng#h#i#j\n#\n"
                                                               << QStringList{"g#h#i#j"};
}

void CatalogTest::ordering()
{
    QFETCH(QString, file);
    QFETCH(QStringList, entries);
    QCOMPARE(Lines(LoadText(file)), entries);
}

void CatalogTest::lineEndsLoadTheSame()
{
    const QStringList lines = {"TRT 2#Analista#2010#c.zip", "",
                               "fcc#b#2008#b.zip",          "FCC#B#2008#x",
                               "CESPE#Agente#2004#a.zip",   "incomplete#line"};
    const QString crlf = lines.join("\r\n") + "\r\n";
    const Catalog reference = LoadText(crlf);
    QCOMPARE(reference.size(), size_t(4));
    for (const QString sep : {"\r", "\n"}) {
        const Catalog c = LoadText(lines.join(sep));
        QVERIFY(c.entries() == reference.entries());
        QVERIFY(c.organisations() == reference.organisations());
        QVERIFY(c.examTypes() == reference.examTypes());
        QVERIFY(c.years() == reference.years());
    }
}

void CatalogTest::fields_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("four fields") << "Fundação Carlos Chagas#Analista Judiciário#2008#fcc_trt_2008.zip"
                                 << QStringList{"Fundação Carlos Chagas", "Analista Judiciário", "2008",
                                                "fcc_trt_2008.zip"};
    QTest::newRow("five fields") << "TJ#Analista#2009#pasta#prova.zip"
                                 << QStringList{"TJ", "Analista", "2009", "pasta#prova.zip"};
    QTest::newRow("many") << "a#b#c#d#e#f#" << QStringList{"a", "b", "c", "d#e#f#"};
    QTest::newRow("empty fields") << "###" << QStringList{"", "", "", ""};
    QTest::newRow("empty archive") << "a#b#c#" << QStringList{"a", "b", "c", ""};
    QTest::newRow("blanks kept") << " a # b #2001 # x.zip " << QStringList{" a ", " b ", "2001 ", " x.zip "};
    QTest::newRow("year is text") << "a#b#ano 2001/02#x" << QStringList{"a", "b", "ano 2001/02", "x"};
}

void CatalogTest::fields()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    const Catalog c = LoadText(line + "\r\n");
    QCOMPARE(c.size(), size_t(1));
    const CatalogEntry& e = c.at(0);
    QCOMPARE((QStringList{Uni(e.organisation), Uni(e.examType), Uni(e.year), Uni(e.archiveName)}), fields);
    // Writing the entry gives its line back, byte for byte.
    QCOMPARE(Uni(zelvora::catalog::CatalogLine::Write(e)), line);
}

void CatalogTest::filterLists_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("orgs");
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QStringList>("years");

    QTest::newRow("first spelling in catalog order, not file order")
        << "FCC#B#2001#y\nfcc#A#2001#x\n"
        << QStringList{"fcc"} << QStringList{"A", "B"} << QStringList{"2001"};
    QTest::newRow("type spelling from the first entry of the catalog")
        << "TRT#Analista#2001#x\nCESPE#ANALISTA#2001#y\n"
        << QStringList{"CESPE", "TRT"} << QStringList{"ANALISTA"} << QStringList{"2001"};
    QTest::newRow("sorted ignoring case") << "b#t#1#x\nA#t#1#y\nC#t#1#z\n"
                                          << QStringList{"A", "b", "C"} << QStringList{"t"} << QStringList{"1"};
    QTest::newRow("accents make another value") << "Área#t#1#a\nArea#t#1#b\nÁREA#t#1#c\n"
                                                << QStringList{"Area", "Área"} << QStringList{"t"} << QStringList{"1"};
    QTest::newRow("blanks make another value") << "FCC#t#1#a\nFCC #t#1#b\n"
                                               << QStringList{"FCC", "FCC "} << QStringList{"t"} << QStringList{"1"};
    QTest::newRow("years sorted as text")
        << "a#t#2010#1\na#t#2008#2\na#t#1999#3\na#t#2008 #4\na#t#2008#5\n"
        << QStringList{"a"} << QStringList{"t"} << QStringList{"1999", "2008", "2008 ", "2010"};
    QTest::newRow("incomplete lines give no values") << "Org1#Type1\nOrg2#Type2#2001\nOrg3#T3#2002#a.zip\nOrg4\n"
                                                     << QStringList{"Org3"} << QStringList{"T3"} << QStringList{"2002"};
    QTest::newRow("a dropped duplicate gives no values")
        << "ORG#TIPO#2001#a\norg#tipo#2001#A\n"
        << QStringList{"ORG"} << QStringList{"TIPO"} << QStringList{"2001"};
    QTest::newRow("empty values count") << "#t#1#a\n##1#b\n"
                                        << QStringList{""} << QStringList{"", "t"} << QStringList{"1"};
    QTest::newRow("empty file") << "" << QStringList{} << QStringList{} << QStringList{};
}

void CatalogTest::filterLists()
{
    QFETCH(QString, file);
    QFETCH(QStringList, orgs);
    QFETCH(QStringList, types);
    QFETCH(QStringList, years);
    const Catalog c = LoadText(file);
    QCOMPARE(Uni(c.organisations()), orgs);
    QCOMPARE(Uni(c.examTypes()), types);
    QCOMPARE(Uni(c.years()), years);
}

void CatalogTest::leftOutLines()
{
    const Catalog c = LoadText("a#b#c#d\nA#B#C#D\nonly one#\n\nno hash\nx#y#z#w\n");
    QCOMPARE(c.size(), size_t(2));
    QCOMPARE(Uni(c.droppedDuplicates()), QStringList{"A#B#C#D"});
    QCOMPARE(Uni(c.incompleteLines()), (QStringList{"no hash", "only one#"}));
}

void CatalogTest::noFileGivesAnEmptyCatalog()
{
    for (const QString& path : {m_dir->filePath("nomes.txt"), // missing file
                                m_dir->filePath("dados/nomes.txt"), // missing folder
                                m_dir->path()}) { // a folder
        const Catalog c = Catalog::Load(path.toStdString(), m_collation);
        QCOMPARE(c.size(), size_t(0));
        QVERIFY(c.organisations().empty() && c.examTypes().empty() && c.years().empty());
    }
}

void CatalogTest::hazardGivesAnEmptyCatalog_data()
{
    QTest::addColumn<int>("hazard");
    for (const Hazard h : AllHazards)
        QTest::newRow(HazardName(h)) << int(h);
}

void CatalogTest::hazardGivesAnEmptyCatalog()
{
    QFETCH(int, hazard);
    const QString path = m_dir->filePath("nomes.txt");
    QVERIFY(MakeHazard(Hazard(hazard), path, qint64(DataFile::CatalogCap), "Org#Tipo#2010#a.zip\r\n"));
    const PipeGuard guard(path);
    const Catalog c = Catalog::Load(path.toStdString(), m_collation);
    QVERIFY2(!guard.fired(), "the catalog waited on a pipe");
    QCOMPARE(c.size(), size_t(0));
    QVERIFY(c.organisations().empty() && c.incompleteLines().empty());
}

void CatalogTest::badInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("orgs");

    QTest::newRow("empty") << QByteArray() << QStringList{} << QStringList{};
    QTest::newRow("only line breaks") << QByteArray("\r\n\r\n\n\r\r") << QStringList{} << QStringList{};
    QTest::newRow("NUL ends the text") << QByteArray("b#x#1#2\r\n\0a#x#1#1\r\n", 20) << QStringList{"b#x#1#2"}
                                       << QStringList{"b"};
    QTest::newRow("NUL inside a line") << QByteArray("b#x#1#2\0zz\na#x#1#1", 18) << QStringList{"b#x#1#2"}
                                       << QStringList{"b"};
    QTest::newRow("NUL first") << QByteArray("\0a#b#c#d", 8) << QStringList{} << QStringList{};
    QTest::newRow("only CR line ends") << QByteArray("c#x#1#3\rb#x#1#2\ra#x#1#1\r")
                                       << QStringList{"a#x#1#1", "b#x#1#2", "c#x#1#3"} << QStringList{"a", "b", "c"};
    QTest::newRow("high and undefined bytes kept")
        << QByteArray("\x81\x8D#\x90\x9D#\xFF#\x80\n") << QStringList{"\u0081\u008D#\u0090\u009D#ÿ#€"}
        << QStringList{"\u0081\u008D"};
}

void CatalogTest::badInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, orgs);
    const Catalog c = LoadBytes(bytes.toStdString());
    QCOMPARE(Lines(c), entries);
    QCOMPARE(Uni(c.organisations()), orgs);
}

void CatalogTest::tenMegabyteLine()
{
    const std::string longArchive(10 * 1024 * 1024, 'x');
    const std::string longOrg(10 * 1024 * 1024, 'O');
    const std::string bytes = "TRT#Analista#2010#" + longArchive + "\r\nCESPE#Agente#2004#a.zip\r\n" + longOrg + "\r\n"
        + std::string(3 * 1024 * 1024, '#') + "\n";
    const Catalog c = LoadBytes(bytes);
    QCOMPARE(c.size(), size_t(3));
    // The line of "#" only: three empty fields and the rest as archive name.
    QCOMPARE(c.at(0).organisation, std::string());
    QVERIFY(c.at(0).archiveName == std::string(3 * 1024 * 1024 - 3, '#'));
    QCOMPARE(c.at(1).archiveName, std::string("a.zip"));
    QVERIFY(c.at(2).archiveName == longArchive);
    QCOMPARE(c.organisations().size(), size_t(3));
    QVERIFY(c.incompleteLines() == std::vector<std::string>{longOrg});
}

void CatalogTest::junkGivesWhatTheRulesGive_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<bool>("withNul");
    QTest::newRow("junk 1") << quint32(1) << false;
    QTest::newRow("junk 2") << quint32(2) << false;
    QTest::newRow("junk with NULs") << quint32(3) << true;
    QTest::newRow("junk of few letters") << quint32(4) << false;
}

void CatalogTest::junkGivesWhatTheRulesGive()
{
    QFETCH(quint32, seed);
    QFETCH(bool, withNul);
    QRandomGenerator rng(seed);
    // Many "#" and breaks, and letters that tie by case or differ by accent,
    // so that junk still makes entries, duplicates and shared values.
    const std::string common = seed == 4 ? "#\r\naA\xE1\xC1" : "##\r\n\r\naAbB\xE1\xC1 \x01\x7F\x81";
    std::string bytes;
    for (int i = 0; i < 60000; ++i) {
        const int r = rng.bounded(100);
        char b = r < 70 ? common[rng.bounded(int(common.size()))] : char(rng.bounded(1, 256));
        if (withNul && i > 40000 && rng.bounded(5000) == 0)
            b = '\0';
        bytes += b;
    }
    const Catalog c = LoadBytes(bytes);
    const Reference r = BuildReference(bytes, m_collation);
    QVERIFY(c.size() > 20);
    QVERIFY(!c.droppedDuplicates().empty());
    QCOMPARE(c.size(), r.entries.size());
    QVERIFY(c.entries() == r.entries);
    QVERIFY(c.organisations() == r.orgs);
    QVERIFY(c.examTypes() == r.types);
    QVERIFY(c.years() == r.years);
}

// The user's folder first, the installed one second: each entry says which
// folder it came from, and the user's spelling wins over one equal apart
// from case.
void CatalogTest::severalFolders_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("installed");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("merged in one order") << "TRT#x#2010#u.zip\n"
                                         << "CESPE#x#2004#a.zip\nZZ#x#1#z.zip\n"
                                         << QStringList{"CESPE#x#2004#a.zip@1", "TRT#x#2010#u.zip@0", "ZZ#x#1#z.zip@1"};
    QTest::newRow("equal apart from case: the user's") << "fcc#analista#2008#prova.zip\n"
                                                       << "FCC#Analista#2008#PROVA.ZIP\n"
                                                       << QStringList{"fcc#analista#2008#prova.zip@0"};
    QTest::newRow("no user folder yet") << ""
                                        << "a#b#c#d\n"
                                        << QStringList{"a#b#c#d@1"};
}

void CatalogTest::severalFolders()
{
    QFETCH(QString, user);
    QFETCH(QString, installed);
    QFETCH(QStringList, entries);
    QTemporaryDir userDir, installedDir;
    for (const auto& [dir, text] : {std::pair{&userDir, user}, std::pair{&installedDir, installed}})
        if (!text.isEmpty())
            std::ofstream(dir->filePath("nomes.txt").toStdString(), std::ios::binary) << Cp(text);
    const Catalog c = Catalog::LoadSources(
        {userDir.path().toStdString() + "/", installedDir.path().toStdString() + "/"}, m_collation);
    QStringList got;
    for (const auto& e : c.entries())
        got << Uni(e.organisation + '#' + e.examType + '#' + e.year + '#' + e.archiveName) + '@'
                + QString::number(e.source);
    QCOMPARE(got, entries);
}

QTEST_GUILESS_MAIN(CatalogTest)
#include "tst_Catalog.moc"
