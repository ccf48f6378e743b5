// The text list reader: where lines end, what a NUL does, and that nothing is
// trimmed or converted.
#include "support/HazardFile.h"
#include "text/TextList.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>

using zelvora::text::DataFile;
using zelvora::text::DataFileStatus;
using zelvora::text::ReadTextList;
using zelvora::text::SplitTextLines;

namespace {

QByteArrayList ToList(const std::vector<std::string>& lines)
{
    QByteArrayList out;
    for (const auto& l : lines)
        out << QByteArray(l.data(), qsizetype(l.size()));
    return out;
}

std::string_view View(const QByteArray& b)
{
    return {b.constData(), size_t(b.size())};
}

} // namespace

class TextListTest : public QObject {
    Q_OBJECT
private slots:
    void splitsLines_data();
    void splitsLines();
    void readsFiles();
    void missingOrUnreadableFileGivesNothing();
    void onlyRegularFilesUnderTheCap_data();
    void onlyRegularFilesUnderTheCap();
};

void TextListTest::splitsLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArrayList>("lines");

    QTest::newRow("empty text") << QByteArray() << QByteArrayList{};
    QTest::newRow("no line break") << QByteArray("abc") << QByteArrayList{"abc"};
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QByteArrayList{"a", "b"};
    QTest::newRow("LF") << QByteArray("a\nb\n") << QByteArrayList{"a", "b"};
    QTest::newRow("only CR") << QByteArray("a\rb\rc") << QByteArrayList{"a", "b", "c"};
    QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd") << QByteArrayList{"a", "b", "c", "d"};
    QTest::newRow("final break adds no line") << QByteArray("a\r") << QByteArrayList{"a"};
    QTest::newRow("only a break") << QByteArray("\r\n") << QByteArrayList{""};
    QTest::newRow("only a CR") << QByteArray("\r") << QByteArrayList{""};
    QTest::newRow("two LF") << QByteArray("\n\n") << QByteArrayList{"", ""};
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QByteArrayList{"a", "", "b"};
    QTest::newRow("CR then CR LF") << QByteArray("\r\r\n") << QByteArrayList{"", ""};
    QTest::newRow("empty line kept inside") << QByteArray("a\r\n\r\nb") << QByteArrayList{"a", "", "b"};
    QTest::newRow("no trimming") << QByteArray("  a \t\r\n\tb  ") << QByteArrayList{"  a \t", "\tb  "};
    QTest::newRow("1252 bytes kept") << QByteArray("S\xE3o Jos\xE9#\x80\x81\xFF\n")
                                     << QByteArrayList{"S\xE3o Jos\xE9#\x80\x81\xFF"};
    QTest::newRow("NUL ends the text") << QByteArray("a\nb\0c\nd", 7) << QByteArrayList{"a", "b"};
    QTest::newRow("NUL first") << QByteArray("\0a\nb", 4) << QByteArrayList{};
    QTest::newRow("NUL after break") << QByteArray("a\r\n\0\r\nb", 7) << QByteArrayList{"a"};
    QTest::newRow("NUL between CR and LF") << QByteArray("ab\r\0\nc", 6) << QByteArrayList{"ab"};
}

void TextListTest::splitsLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArrayList, lines);
    QCOMPARE(ToList(SplitTextLines(View(bytes))), lines);
}

void TextListTest::readsFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string path = dir.filePath("lista.txt").toStdString();

    std::ofstream(path, std::ios::binary) << "";
    auto lines = ReadTextList(path);
    QVERIFY(lines.has_value());
    QVERIFY(lines->empty());

    // Larger than any one read, with a break at every size, so lines cross
    // the reader's buffer boundaries.
    std::string content;
    std::vector<std::string> expected;
    for (int i = 0; content.size() < 300000; ++i) {
        expected.push_back(std::string(size_t(i % 997), char('a' + i % 26)) + "\xE7");
        content += expected.back();
        content += (i % 3 == 0) ? "\r\n" : (i % 3 == 1) ? "\r" : "\n";
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(content.data(), std::streamsize(content.size()));
    lines = ReadTextList(path);
    QVERIFY(lines.has_value());
    QCOMPARE(lines->size(), expected.size());
    QVERIFY(*lines == expected);
}

void TextListTest::missingOrUnreadableFileGivesNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(!ReadTextList(dir.filePath("missing.txt").toStdString()).has_value());
    QVERIFY(!ReadTextList(dir.path().toStdString()).has_value()); // a folder
}

void TextListTest::onlyRegularFilesUnderTheCap_data()
{
    QTest::addColumn<int>("hazard"); // -1: a link to a regular file of cap bytes
    QTest::addColumn<int>("status");
    QTest::newRow("link to a file at the cap") << -1 << int(DataFileStatus::Ok);
    const DataFileStatus expected[] = {DataFileStatus::NotAFile, DataFileStatus::NotAFile, DataFileStatus::NotAFile,
                                       DataFileStatus::TooLarge, DataFileStatus::Missing};
    for (size_t i = 0; i < std::size(AllHazards); ++i)
        QTest::newRow(HazardName(AllHazards[i])) << int(AllHazards[i]) << int(expected[i]);
}

void TextListTest::onlyRegularFilesUnderTheCap()
{
    QFETCH(int, hazard);
    QFETCH(int, status);
    constexpr uint64_t cap = 10;
    QTemporaryDir dir;
    const QString path = dir.filePath("nomes.txt");
    if (hazard < 0) {
        std::ofstream(dir.filePath("real.txt").toStdString(), std::ios::binary) << "a#b\r\nc#d\r\n";
        QVERIFY(QFile::link(dir.filePath("real.txt"), path));
    } else {
        QVERIFY(MakeHazard(Hazard(hazard), path, cap, "a#b\r\n"));
    }
    const PipeGuard guard(path);
    DataFileStatus why = DataFileStatus::Unreadable;
    const auto lines = ReadTextList(path.toStdString(), cap, &why);
    QVERIFY2(!guard.fired(), "the reader waited on a pipe");
    QCOMPARE(int(why), status);
    QCOMPARE(lines.has_value(), status == int(DataFileStatus::Ok));
    if (lines)
        QCOMPARE(ToList(*lines), (QByteArrayList{"a#b", "c#d"}));
    QCOMPARE(int(DataFile::Probe(path.toStdString(), cap)), status);
}

QTEST_APPLESS_MAIN(TextListTest)
#include "tst_TextList.moc"
