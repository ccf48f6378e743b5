// The zip writer of tools/zipwriter, checked against Debian's unzip: every archive
// it writes must test clean and give back exactly the bytes that went in.
#include "zipwriter/ZipWriter.h"

#include <filesystem>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using zelvora::zipwriter::ZipWriter;

namespace {

struct Run {
    int exitCode = -1;
    QByteArray out;
};

Run unzip(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("unzip"), arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    return run;
}

std::string pseudoRandom(std::size_t size, uint32_t seed)
{
    std::string out(size, '\0');
    for (char& c : out) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(seed >> 24);
    }
    return out;
}

} // namespace

class tst_ZipWriter : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
            QSKIP("Debian's unzip is not installed (apt-get install unzip)");
    }

    void readBackByUnzip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("deflated");

        QTest::newRow("stored text") << "a.txt" << QByteArray("Gabarito\r\n1\r\n2\r\n") << false;
        QTest::newRow("deflated text") << "b.txt" << QByteArray("Questão de prova. ").repeated(500) << true;
        QTest::newRow("empty stored") << "empty.txt" << QByteArray() << false;
        QTest::newRow("empty deflated") << "empty.dat" << QByteArray() << true;
        QTest::newRow("incompressible deflated")
            << "noise.bin" << QByteArray::fromStdString(pseudoRandom(70000, 7)) << true;
        QTest::newRow("every byte value stored")
            << "bytes.bin" << QByteArray::fromStdString(pseudoRandom(4096, 3)) << false;
        QTest::newRow("long repetitive deflated (several deflate blocks)")
            << "long.txt" << QByteArray::fromStdString(pseudoRandom(300, 9)).repeated(4000) << true;
        QTest::newRow("file in a sub-folder") << "anexos/nota.txt" << QByteArray("nota") << true;
    }

    void readBackByUnzip()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, data);
        QFETCH(bool, deflated);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString archive = dir.filePath(QStringLiteral("t.zip"));
        ZipWriter zip;
        zip.addFile("first.txt", "first entry before the one under test\n");
        zip.addFile(name.toStdString(), data.toStdString(),
                    deflated ? ZipWriter::Method::Deflated : ZipWriter::Method::Stored);
        zip.addFile("last.txt", "last entry\n", ZipWriter::Method::Stored);
        QVERIFY(zip.writeTo(archive.toStdString()));

        const Run test = unzip({QStringLiteral("-tqq"), archive});
        QCOMPARE(test.exitCode, 0);
        const Run content = unzip({QStringLiteral("-p"), archive, name});
        QCOMPARE(content.exitCode, 0);
        QCOMPARE(content.out.size(), data.size());
        QVERIFY(content.out == data);
        QCOMPARE(unzip({QStringLiteral("-p"), archive, QStringLiteral("last.txt")}).out, QByteArray("last entry\n"));
    }

    // Folder entries, MS-DOS file names in code page 850, file times, an
    // archive comment and the UTF-8 flag, as unzip's listing reports them.
    void listingMatchesWhatWasWritten()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString archive = dir.filePath(QStringLiteral("t.zip"));
        ZipWriter zip;
        zip.addFolder("anexos");
        ZipWriter::Entry dosName;
        dosName.name = "anexos/Instru\x87\xE4"
                       "es.txt"; // "Instruções" in code page 850
        dosName.data = "texto";
        dosName.dosDate = ZipWriter::DosDate(2008, 11, 23);
        dosName.dosTime = ZipWriter::DosTime(17, 45, 58);
        zip.add(dosName);
        ZipWriter::Entry utf8Name;
        utf8Name.name = "sum\xC3\xA1rio.txt"; // "sumário" in UTF-8
        utf8Name.data = "x";
        utf8Name.utf8Name = true;
        utf8Name.host = ZipWriter::Host::Unix;
        utf8Name.externalAttributes = 0100644u << 16;
        zip.add(utf8Name);
        QVERIFY(zip.writeTo(archive.toStdString(), "Arquivo de teste"));

        QCOMPARE(unzip({QStringLiteral("-tqq"), archive}).exitCode, 0);
        const Run listing = unzip({QStringLiteral("-Z"), QStringLiteral("-T"), archive});
        QCOMPARE(listing.exitCode, 0);
        const QList<QByteArray> lines = listing.out.split('\n');
        // "-rw-a--     2.0 fat        5 t- defN 20081123.174558 anexos/Instru..."
        QByteArray dosLine;
        QByteArray unixLine;
        QByteArray folderLine;
        for (const QByteArray& line : lines) {
            if (line.contains("Instru"))
                dosLine = line;
            else if (line.contains("sum"))
                unixLine = line;
            else if (line.endsWith("anexos/"))
                folderLine = line;
        }
        QVERIFY2(dosLine.contains(" fat "), dosLine.constData());
        QVERIFY2(dosLine.contains("20081123.174558"), dosLine.constData());
        QVERIFY2(dosLine.contains("defN"), dosLine.constData());
        QVERIFY2(unixLine.startsWith("-rw-r--r--") && unixLine.contains(" unx "), unixLine.constData());
        QVERIFY2(unixLine.contains("sumário.txt"), unixLine.constData());
        QVERIFY2(folderLine.startsWith('d'), folderLine.constData());
        QCOMPARE(unzip({QStringLiteral("-z"), archive}).out.trimmed().split('\n').last(),
                 QByteArray("Arquivo de teste"));

        // unzip turns an MS-DOS name from code page 850 into Latin-1 when it
        // extracts: "ç" and "õ" become the bytes E7 and F5.
        const QString out = dir.filePath(QStringLiteral("out"));
        QCOMPARE(unzip({QStringLiteral("-qq"), QStringLiteral("-o"), archive, QStringLiteral("-d"), out}).exitCode, 0);
        std::vector<std::string> names;
        for (const auto& file :
             std::filesystem::directory_iterator(std::filesystem::path(out.toStdString()) / "anexos"))
            names.push_back(file.path().filename().string());
        QCOMPARE(names,
                 std::vector<std::string>{"Instru\xE7\xF5"
                                          "es.txt"});
    }

    void archiveOfNoEntriesIsValid()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString archive = dir.filePath(QStringLiteral("empty.zip"));
        QVERIFY(ZipWriter().writeTo(archive.toStdString()));
        QCOMPARE(QFileInfo(archive).size(), 22); // the end record alone
        // unzip reports an empty archive with exit code 1 ("zipfile is empty"), not as damaged (9).
        QCOMPARE(unzip({QStringLiteral("-tqq"), archive}).exitCode, 1);
    }
};

QTEST_GUILESS_MAIN(tst_ZipWriter)
#include "tst_ZipWriter.moc"
