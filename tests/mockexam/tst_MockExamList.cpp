// The mock-exam list, the paper and key paths, and the key reader.
#include "mockexam/AnswerKey.h"
#include "mockexam/MockExamList.h"
#include "mockexam/PaperPath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvora::mockexam;

namespace {

std::string Bytes(const QByteArray& b)
{
    return std::string(b.constData(), size_t(b.size()));
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestMockExamList : public QObject {
    Q_OBJECT
private slots:
    void parseLine_data();
    void parseLine();
    void parseKeepsFileOrderAndLines();
    void load_data();
    void load();
    void keyPath_data();
    void keyPath();
    void isAbsolute_data();
    void isAbsolute();
    void resolve_data();
    void resolve();
    void answerKey_data();
    void answerKey();
    void merge_data();
    void merge();
};

void TestMockExamList::parseLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("entry");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("path");

    QTest::newRow("name and file") << QByteArray("Portugu\xEAs#port.pdf") << true << QByteArray("Portugu\xEAs")
                                   << QByteArray("port.pdf");
    QTest::newRow("later # belong to the path")
        << QByteArray("Nome#a.pdf#b") << true << QByteArray("Nome") << QByteArray("a.pdf#b");
    QTest::newRow("empty name") << QByteArray("#x.pdf") << true << QByteArray() << QByteArray("x.pdf");
    QTest::newRow("no separator") << QByteArray("Nome sem separador") << false << QByteArray() << QByteArray();
    QTest::newRow("empty line") << QByteArray() << false << QByteArray() << QByteArray();
    QTest::newRow("spaces kept") << QByteArray(" Nome # a.pdf ") << true << QByteArray(" Nome ")
                                 << QByteArray(" a.pdf ");
    QTest::newRow("subfolder") << QByteArray("P#2008\\prova01.pdf") << true << QByteArray("P")
                               << QByteArray("2008\\prova01.pdf");
    QTest::newRow("only separator") << QByteArray("#") << true << QByteArray() << QByteArray();
    QTest::newRow("absolute unix path") << QByteArray("P#/etc/passwd") << false << QByteArray() << QByteArray();
    QTest::newRow("absolute backslash path")
        << QByteArray("P#\\\\server\\x.pdf") << false << QByteArray() << QByteArray();
    QTest::newRow("drive path") << QByteArray("P#C:\\provas\\x.pdf") << false << QByteArray() << QByteArray();
    QTest::newRow("drive-relative path") << QByteArray("P#d:x.pdf") << false << QByteArray() << QByteArray();
    QTest::newRow("colon later is fine") << QByteArray("P#ab:x.pdf") << true << QByteArray("P")
                                         << QByteArray("ab:x.pdf");
    // Paths that climb out of the mock-exam folder are refused like absolute ones.
    const QByteArray none;
    QTest::newRow("climbs out with backslashes") << QByteArray("Fora#..\\..\\..\\tmp\\x.pdf") << false << none << none;
    QTest::newRow("climbs out with slashes") << QByteArray("Fora#../x.pdf") << false << none << none;
    QTest::newRow("climbs out, mixed separators") << QByteArray("Fora#a/..\\../x.pdf") << false << none << none;
    QTest::newRow("climbs out after a folder") << QByteArray("Fora#a\\..\\..\\x.pdf") << false << none << none;
    QTest::newRow("dots and spaces read as ..") << QByteArray("Fora#... \\x.pdf") << false << none << none;
    QTest::newRow("down and back stays inside")
        << QByteArray("P#a\\..\\x.pdf") << true << QByteArray("P") << QByteArray("a\\..\\x.pdf");
    QTest::newRow("dots inside a name are fine")
        << QByteArray("P#..a\\x..pdf") << true << QByteArray("P") << QByteArray("..a\\x..pdf");
}

void TestMockExamList::parseLine()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, entry);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, path);
    const auto parsed = MockExamList::ParseLine(Bytes(line));
    QCOMPARE(parsed.has_value(), entry);
    if (parsed) {
        QCOMPARE(QByteArray::fromStdString(parsed->name), name);
        QCOMPARE(QByteArray::fromStdString(parsed->pdfPath), path);
    }
}

void TestMockExamList::parseKeepsFileOrderAndLines()
{
    const std::vector<std::string> lines = {"Zeta#z.pdf", "sem separador", "Alfa#a.pdf", "", "Zeta#z2.pdf"};
    const auto entries = MockExamList::Parse(lines);
    const std::vector<MockExamEntry> expected = {{"Zeta", "z.pdf"}, {"Alfa", "a.pdf"}, {"Zeta", "z2.pdf"}};
    QVERIFY(entries == expected);
}

void TestMockExamList::load_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("lastPath");

    QTest::newRow("CR LF lines") << true << QByteArray("A#a.pdf\r\nB#b.pdf\r\n") << 2 << QByteArray("b.pdf");
    QTest::newRow("lone CR and LF") << true << QByteArray("A#a.pdf\rB#b.pdf\nC#c.pdf") << 3 << QByteArray("c.pdf");
    QTest::newRow("NUL ends the text") << true << QByteArray("A#a.pdf\nB#b.pdf\0C#c.pdf", 23) << 2
                                       << QByteArray("b.pdf");
    QTest::newRow("empty file") << true << QByteArray() << 0 << QByteArray();
    QTest::newRow("binary junk") << true << QByteArray::fromHex("ff00fe23") + QByteArray("\x01\x02#\x80\x81\x8d\r\xff#")
                                 << 0 << QByteArray();
    QTest::newRow("missing") << false << QByteArray() << -1 << QByteArray();
}

void TestMockExamList::load()
{
    QFETCH(bool, present);
    QFETCH(QByteArray, content);
    QFETCH(int, count);
    QFETCH(QByteArray, lastPath);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.path() + QLatin1Char('/');
    if (present)
        QVERIFY(WriteFile(folder + QStringLiteral("lista.txt"), content));
    const auto entries = MockExamList::Load(QFile::encodeName(folder).toStdString());
    if (count < 0) {
        QVERIFY(!entries);
        return;
    }
    QVERIFY(entries);
    QCOMPARE(int(entries->size()), count);
    if (count > 0)
        QCOMPARE(QByteArray::fromStdString(entries->back().pdfPath), lastPath);
}

void TestMockExamList::keyPath_data()
{
    QTest::addColumn<QByteArray>("pdf");
    QTest::addColumn<QByteArray>("key");
    QTest::newRow("file") << QByteArray("prova01.pdf") << QByteArray("prova01.txt");
    QTest::newRow("subfolder") << QByteArray("2008\\prova01.pdf") << QByteArray("2008\\prova01.txt");
    QTest::newRow("no extension") << QByteArray("prova01") << QByteArray("prova01.txt");
    QTest::newRow("dot only in folder") << QByteArray("v1.2\\prova") << QByteArray("v1.2\\prova.txt");
    QTest::newRow("dot only in unix folder") << QByteArray("v1.2/prova") << QByteArray("v1.2/prova.txt");
    QTest::newRow("last dot counts") << QByteArray("a.b.pdf") << QByteArray("a.b.txt");
    QTest::newRow("upper case") << QByteArray("X.PDF") << QByteArray("X.txt");
    QTest::newRow("trailing dot") << QByteArray("prova.") << QByteArray("prova.txt");
    QTest::newRow("hash in path") << QByteArray("a.pdf#b") << QByteArray("a.txt");
    QTest::newRow("colon separates") << QByteArray("a.b:prova") << QByteArray("a.b:prova.txt");
    QTest::newRow("empty") << QByteArray() << QByteArray(".txt");
}

void TestMockExamList::keyPath()
{
    QFETCH(QByteArray, pdf);
    QFETCH(QByteArray, key);
    QCOMPARE(QByteArray::fromStdString(PaperPath::KeyPathFor(Bytes(pdf))), key);
}

void TestMockExamList::isAbsolute_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<bool>("absolute");
    QTest::newRow("relative") << QByteArray("a.pdf") << false;
    QTest::newRow("relative subfolder") << QByteArray("2008\\a.pdf") << false;
    QTest::newRow("dot dot") << QByteArray("..\\a.pdf") << false;
    QTest::newRow("slash") << QByteArray("/a.pdf") << true;
    QTest::newRow("backslash") << QByteArray("\\a.pdf") << true;
    QTest::newRow("drive") << QByteArray("C:\\a.pdf") << true;
    QTest::newRow("digit colon") << QByteArray("1:a.pdf") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestMockExamList::isAbsolute()
{
    QFETCH(QByteArray, path);
    QFETCH(bool, absolute);
    QCOMPARE(PaperPath::IsAbsolute(Bytes(path)), absolute);
}

void TestMockExamList::resolve_data()
{
    QTest::addColumn<QByteArray>("relative");
    QTest::addColumn<QString>("resolved");
    QTest::newRow("file") << QByteArray("a.pdf") << QStringLiteral("/d/simu/a.pdf");
    QTest::newRow("backslashes become slashes")
        << QByteArray("2008\\x\\a.pdf") << QStringLiteral("/d/simu/2008/x/a.pdf");
    QTest::newRow("Windows-1252 name") << QByteArray("Portugu\xEAs\\ci\xEAncia.pdf")
                                       << QStringLiteral("/d/simu/Português/ciência.pdf");
}

void TestMockExamList::resolve()
{
    QFETCH(QByteArray, relative);
    QFETCH(QString, resolved);
    QCOMPARE(QString::fromStdString(PaperPath::Resolve("/d/simu/", Bytes(relative))), resolved);
}

void TestMockExamList::answerKey_data()
{
    QTest::addColumn<int>("kind"); // 0 file, 1 missing, 2 folder in its place
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("loads");

    QTest::newRow("digits") << 0 << QByteArray("1\r\n3\r\n5\r\n") << QStringList{"1", "3", "5"} << true;
    QTest::newRow("kept as they stand") << 0 << QByteArray("1 \n\nA\n#") << QStringList{"1 ", "", "A", "#"} << true;
    QTest::newRow("one empty line is one question") << 0 << QByteArray("\r\n") << QStringList{""} << true;
    QTest::newRow("no lines") << 0 << QByteArray() << QStringList{} << false;
    QTest::newRow("NUL at the start") << 0
                                      << QByteArray("\0"
                                                    "1\n2",
                                                    4)
                                      << QStringList{} << false;
    QTest::newRow("missing") << 1 << QByteArray() << QStringList{} << false;
    QTest::newRow("folder instead of file") << 2 << QByteArray() << QStringList{} << false;
}

void TestMockExamList::answerKey()
{
    QFETCH(int, kind);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, lines);
    QFETCH(bool, loads);
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/k.txt");
    if (kind == 0)
        QVERIFY(WriteFile(path, content));
    else if (kind == 2)
        QVERIFY(QDir().mkpath(path));
    const auto key = AnswerKey::Load(QFile::encodeName(path).toStdString());
    QCOMPARE(key.has_value(), loads);
    if (!key)
        return;
    QStringList got;
    for (const auto& l : *key)
        got << QString::fromStdString(l);
    QCOMPARE(got, lines);
}

// Lists of several folders, the user's first: each entry keeps its folder,
// and of two entries equal apart from case the earlier folder's stays.
void TestMockExamList::merge_data()
{
    QTest::addColumn<QStringList>("user");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QStringList>("merged");

    QTest::newRow("both kept, folder order") << QStringList{"Minha#m.pdf"} << QStringList{"Zeta#z.pdf", "Alfa#a.pdf"}
                                             << QStringList{"Minha#m.pdf@0", "Zeta#z.pdf@1", "Alfa#a.pdf@1"};
    QTest::newRow("equal apart from case: the user's")
        << QStringList{"alfa#A.PDF"} << QStringList{"Alfa#a.pdf", "Beta#b.pdf"}
        << QStringList{"alfa#A.PDF@0", "Beta#b.pdf@1"};
    QTest::newRow("same name, other paper: both")
        << QStringList{"Alfa#x.pdf"} << QStringList{"Alfa#a.pdf"} << QStringList{"Alfa#x.pdf@0", "Alfa#a.pdf@1"};
    QTest::newRow("no user list") << QStringList{} << QStringList{"Alfa#a.pdf"} << QStringList{"Alfa#a.pdf@1"};
}

void TestMockExamList::merge()
{
    QFETCH(QStringList, user);
    QFETCH(QStringList, installed);
    QFETCH(QStringList, merged);
    std::vector<std::vector<MockExamEntry>> lists(2);
    for (const auto& l : user)
        lists[0].push_back(*MockExamList::ParseLine(l.toStdString()));
    for (const auto& l : installed)
        lists[1].push_back(*MockExamList::ParseLine(l.toStdString()));
    QStringList got;
    for (const auto& e : MockExamList::Merge(lists))
        got << QString::fromStdString(e.name + '#' + e.pdfPath + '@' + std::to_string(e.source));
    QCOMPARE(got, merged);
}

QTEST_APPLESS_MAIN(TestMockExamList)
#include "tst_MockExamList.moc"
