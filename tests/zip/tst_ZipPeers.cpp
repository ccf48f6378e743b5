// The reader against other tools: archives written at test time by Debian's
// zip, 7zz, bsdtar and Python's zipfile must extract byte for byte as
// `unzip -j` extracts them; a real PKZIP 2.04g archive must give the files
// listed in the shared test data; the command-line front reports as
// documented.
#include "support/SharedTestData.h"
#include "ZipBuilder.h"
#include "ZipTestSupport.h"

#include "zip/TUnZipper.h"
#include "zip/ZipErrors.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <random>

using namespace zelvora::zip;
using namespace zelvora::zip::test;

namespace {

const QString kTestData = QStringLiteral(ZELVORA_SHARED_TESTDATA "/zip");
const QString kCli = QStringLiteral(ZELVORA_BINARY_DIR "/bin/zelvora-unzip");

struct Run {
    int code = -1;
    QByteArray out, err;
};

Run Shell(const QString& command, const QString& folder)
{
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start("bash", {"-c", command});
    p.waitForFinished(240000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

QByteArray Sha256(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(&f);
    return h.result().toHex();
}

std::string Noise(size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (char& c : s)
        c = static_cast<char>(rng());
    return s;
}

} // namespace

class tst_ZipPeers : public QObject {
    Q_OBJECT

private:
    QTemporaryDir tmp;

    // Extracts base/a.zip with our reader into base/out: every entry is
    // written and each file equals the one the peer wrote into base/ref.
    void ExtractMatchesPeer(const QString& base)
    {
        TUnZipper z;
        z.SetZipName(S(base + "/a.zip"));
        z.LoadDirectory();
        QVERIFY(z.Directory());
        z.DoAll = true;
        z.SetDestDir(S(base + "/out"));
        QCOMPARE(z.ExtractFiles(), int(z.Directory()->Count()));
        QCOMPARE(z.Report().Total(), 0u);
        const QStringList expected = Names(base + "/ref");
        QVERIFY(!expected.isEmpty());
        QCOMPARE(Names(base + "/out"), expected);
        for (const QString& name : expected)
            QVERIFY2(ReadBytes(base + "/out/" + name) == ReadBytes(base + "/ref/" + name), qPrintable(name));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(tmp.isValid());
        // The tree every peer archives: text, incompressible data, an empty
        // file, a file that needs several blocks, two files with the same
        // flat name, a UTF-8 name and an empty folder.
        const QString src = tmp.filePath("src");
        QDir().mkpath(src + "/sub/deeper");
        QDir().mkpath(src + "/other");
        QDir().mkpath(src + "/emptydir");
        std::string text;
        for (int i = 0; text.size() < 300000; ++i)
            text += "Questao " + std::to_string(i) + ": assinale a alternativa correta.\n";
        WriteBytes(src + "/text.txt", text);
        WriteBytes(src + "/noise.bin", Noise(200000, 4));
        WriteBytes(src + "/empty.txt", "");
        WriteBytes(src + "/sub/deeper/small.txt", "small");
        WriteBytes(src + "/sub/dup.txt", "dup in sub");
        WriteBytes(src + "/other/dup.txt", "dup in other");
        WriteBytes(src + QString::fromUtf8("/a\u00E7\u00FAcar.txt"), "acucar");
    }

    void sameAsUnzip_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("command");
        // Each command runs in src/ and writes ../a.zip.
        const QString pyFiles =
            "files = [os.path.join(d, f) for d, _, fs in sorted(os.walk('.')) for f in sorted(fs)]\n";
        QTest::newRow("zip deflated") << "zip"
                                      << "zip -q -r -X ../a.zip .";
        QTest::newRow("zip stored") << "zip"
                                    << "zip -q -r -0 ../a.zip .";
        QTest::newRow("zip to a pipe") << "zip"
                                       << "zip -q -r - . | cat > ../a.zip";
        QTest::newRow("zip ZIP64") << "zip"
                                   << "zip -q -r -fz ../a.zip .";
        // zip -z keeps only the first 509 bytes of a comment: the longest
        // comment is put in place of zip's empty one.
        QTest::newRow("zip 65,535-byte comment")
            << "zip"
            << "zip -q -r ../a.zip . && python3 -c \"d = open('../a.zip', 'rb').read()\n"
               "assert d[-22:-18] == b'PK\\x05\\x06'\n"
               "open('../a.zip', 'wb').write(d[:-2] + b'\\xff\\xff' + b'c' * 65535)\"";
        QTest::newRow("7zz deflated") << "7zz"
                                      << "7zz a -tzip -bd -bso0 ../a.zip .";
        QTest::newRow("7zz stored") << "7zz"
                                    << "7zz a -tzip -mx=0 -bd -bso0 ../a.zip .";
        QTest::newRow("bsdtar deflated") << "bsdtar"
                                         << "bsdtar --format zip -cf ../a.zip .";
        QTest::newRow("bsdtar stored") << "bsdtar"
                                       << "bsdtar --format zip --options zip:compression=store -cf ../a.zip .";
        QTest::newRow("python -m zipfile") << "python3"
                                           << "python3 -m zipfile -c ../a.zip *";
        QTest::newRow("python ZIP64, comment, to a pipe") << "python3"
                                                          << "python3 -c \"import os, sys, zipfile\n" + pyFiles
                + "z = zipfile.ZipFile(sys.stdout.buffer, 'w', zipfile.ZIP_DEFLATED)\n"
                  "z.comment = b'x' * 65535\n"
                  "for f in files:\n"
                  "    with open(f, 'rb') as i, z.open(f[2:], 'w', force_zip64=True) as o: o.write(i.read())\n"
                  "z.close()\" | cat > ../a.zip";
    }
    void sameAsUnzip()
    {
        QFETCH(QString, tool);
        QFETCH(QString, command);
        if (QStandardPaths::findExecutable(tool).isEmpty() || QStandardPaths::findExecutable("unzip").isEmpty())
            QSKIP(qPrintable(tool + " or unzip is not installed"));
        const QString base = tmp.path();
        Shell("rm -rf ref out a.zip", base);
        Run made = Shell(command, base + "/src");
        QVERIFY2(made.code == 0, made.err.constData());
        Run ref = Shell("unzip -q -o -j a.zip -d ref", base);
        QVERIFY2(ref.code == 0, ref.err.constData());

        ExtractMatchesPeer(base);
        QVERIFY(Names(base + "/ref").contains(QString::fromUtf8("a\u00E7\u00FAcar.txt")));
    }

    // The newer methods as 7zz writes and reads them, and as Python's
    // zipfile writes them; the shared Deflate64 and bzip2 samples.
    void sameAs7zz_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("command");
        const QString py = "python3 -c \"import os, zipfile\n"
                           "files = [os.path.join(d, f) for d, _, fs in sorted(os.walk('.')) for f in sorted(fs)]\n"
                           "with zipfile.ZipFile('../a.zip', 'w', zipfile.%1) as z:\n"
                           "    for f in files: z.write(f)\"";
        QTest::newRow("7zz Deflate64") << "7zz"
                                       << "7zz a -tzip -mm=Deflate64 -bd -bso0 ../a.zip .";
        QTest::newRow("7zz Deflate64, best") << "7zz"
                                             << "7zz a -tzip -mm=Deflate64 -mx=9 -bd -bso0 ../a.zip .";
        QTest::newRow("7zz BZip2") << "7zz"
                                   << "7zz a -tzip -mm=BZip2 -bd -bso0 ../a.zip .";
        QTest::newRow("7zz LZMA") << "7zz"
                                  << "7zz a -tzip -mm=LZMA -bd -bso0 ../a.zip .";
        QTest::newRow("7zz LZMA, end marks") << "7zz"
                                             << "7zz a -tzip -mm=LZMA:eos -bd -bso0 ../a.zip .";
        QTest::newRow("python bzip2") << "python3" << py.arg("ZIP_BZIP2");
        QTest::newRow("python LZMA") << "python3" << py.arg("ZIP_LZMA");
        for (const char* sample : {"lorem-ipsum-deflate64.zip", "bzip2-zip.zip"})
            QTest::newRow(sample) << "cp"
                                  << "cp " + kTestData + "/commons-compress/" + sample + " ../a.zip";
    }
    void sameAs7zz()
    {
        QFETCH(QString, tool);
        QFETCH(QString, command);
        if (QStandardPaths::findExecutable(tool).isEmpty() || QStandardPaths::findExecutable("7zz").isEmpty())
            QSKIP(qPrintable(tool + " or 7zz is not installed"));
        if (tool == "cp")
            ZELVORA_NEED_SHARED_TESTDATA(kTestData, "the shared Deflate64 and bzip2 samples are not checked");
        const QString base = tmp.path();
        Shell("rm -rf ref out a.zip", base);
        Run made = Shell(command, base + "/src");
        QVERIFY2(made.code == 0, made.err.constData());
        Run ref = Shell("7zz e -aoa -bd -bso0 -oref a.zip && find ref -type d -empty -delete; mkdir -p ref", base);
        QVERIFY2(ref.code == 0, ref.err.constData());

        ExtractMatchesPeer(base);
    }

    // Real archives of PKZIP for DOS, as the shared test data lists them.
    void pkzipArchive()
    {
        const QString expectedPath = kTestData + "/EXPECTED.txt";
        const QString archive = kTestData + "/pkzip/PKZ204EN.ZIP";
        ZELVORA_NEED_SHARED_TESTDATA(expectedPath, "the PKZIP 2.04g archive is not checked");
        ZELVORA_NEED_SHARED_TESTDATA(archive, "the PKZIP 2.04g archive is not checked");
        QFile f(expectedPath);
        QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
        QMap<QString, QByteArray> expected;
        bool inSection = false;
        while (!f.atEnd()) {
            const QString line = QString::fromUtf8(f.readLine()).trimmed();
            if (line.startsWith("## "))
                inSection = line.startsWith("## pkzip/PKZ204EN.ZIP");
            else if (inSection && !line.isEmpty() && !line.startsWith('#')) {
                const QStringList cols = line.split('\t');
                QCOMPARE(cols.size(), 8);
                expected[cols[6]] = cols[7].section(' ', 0, 0).toLatin1();
            }
        }
        QCOMPARE(expected.size(), 15);
        TUnZipper z;
        z.SetZipName(S(archive));
        z.LoadDirectory();
        z.SetDestDir(S(tmp.filePath("pkzip")));
        QCOMPARE(z.ExtractFiles(), 15);
        QCOMPARE(Names(tmp.filePath("pkzip")), QStringList(expected.keys()));
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QVERIFY2(Sha256(tmp.filePath("pkzip/" + it.key())) == it.value(), qPrintable(it.key()));
    }

    // The command line: the number of files written on stdout, boxes and
    // errors on stderr; exit 0 when every file was written, 2 when some were
    // left out (with the left-out line, also without -v), 1 on a fatal error.
    void commandLine_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("dest");
        QTest::addColumn<QString>("limits"); // shell commands run before the tool
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("errStart");
        const QString none;
        QTest::newRow("pkzip") << kTestData + "/pkzip/PKZ204EN.ZIP"
                               << "cli" << none << 0 << QByteArray("15\n") << QByteArray();
        QTest::newRow("deflate64") << kTestData + "/commons-compress/lorem-ipsum-deflate64.zip"
                                   << "cli" << none << 0 << QByteArray("1\n") << QByteArray();
        QTest::newRow("unknown method") << "ppmd.zip"
                                        << "cli" << none << 2 << QByteArray("0\n")
                                        << QByteArray("Zip Error: Unknown Compression Method\n");
        QTest::newRow("folders are not counted") << "folders.zip"
                                                 << "cli" << none << 0 << QByteArray("1\n") << QByteArray();
        QTest::newRow("some left out")
            << "leftout.zip"
            << "cli" << none << 2 << QByteArray("1\n")
            << QByteArray("zelvora-unzip: 2 file entries left out (encrypted 1, not created 0, CRC mismatch 1, "
                          "damaged 0, overlapping 0, method not decoded 0)\n");
        QTest::newRow("21 bytes") << "short.zip"
                                  << "cli" << none << 1 << QByteArray() << QByteArray("Incomplete Zip File\n");
        QTest::newRow("missing") << "missing.zip"
                                 << "cli" << none << 1 << QByteArray() << QByteArray("Cannot open file");
        QTest::newRow("a folder") << "."
                                  << "cli" << none << 1 << QByteArray() << QByteArray("Cannot open file");
        QTest::newRow("a pipe") << "pipe.zip"
                                << "cli" << none << 1 << QByteArray() << QByteArray("Cannot open file");
        QTest::newRow("destination under a file")
            << "folders.zip"
            << "short.zip/cli" << none << 1 << QByteArray() << QByteArray("Cannot create folder \"short.zip/cli\". ");
        QTest::newRow("write failure") << "large.zip"
                                       << "cli"
                                       << "trap '' XFSZ; ulimit -f 40; " << 1 << QByteArray()
                                       << QByteArray("Cant write uncompressed file \"large.bin\". File too large\n");
    }
    void commandLine()
    {
        QFETCH(QString, archive);
        QFETCH(QString, dest);
        QFETCH(QString, limits);
        QFETCH(int, code);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, errStart);
        if (archive.startsWith(kTestData))
            ZELVORA_NEED_SHARED_TESTDATA(archive, "this command line is not checked");
        WriteBytes(tmp.filePath("short.zip"), std::string(21, 'P'));
        ZipBuilder folders;
        folders.entries.resize(2);
        folders.entries[0].name = "d/";
        folders.entries[1].name = "d/a.txt";
        folders.entries[1].data = "a";
        WriteBytes(tmp.filePath("folders.zip"), folders.Build());
        ZipBuilder leftOut = folders;
        leftOut.entries.resize(4, folders.entries[1]);
        leftOut.entries[2].name = "crc.txt";
        leftOut.entries[2].crc = 1;
        leftOut.entries[3].name = "secret.txt";
        leftOut.entries[3].flags = 0x0001;
        WriteBytes(tmp.filePath("leftout.zip"), leftOut.Build());
        ZipBuilder ppmd;
        ppmd.entries.resize(1);
        ppmd.entries[0].name = "ppmd.bin";
        ppmd.entries[0].data = "data";
        ppmd.entries[0].method = 98; // PPMd: not decoded here
        WriteBytes(tmp.filePath("ppmd.zip"), ppmd.Build());
        ZipBuilder large;
        large.entries.resize(1);
        large.entries[0].name = "large.bin";
        large.entries[0].data = Noise(100000, 7);
        WriteBytes(tmp.filePath("large.zip"), large.Build());
        Shell("rm -f pipe.zip && mkfifo pipe.zip", tmp.path());
        Run r = Shell(QString("%1'%2' '%3' '%4'").arg(limits, kCli, archive, dest), tmp.path());
        QCOMPARE(r.code, code);
        QCOMPARE(r.out, out);
        QVERIFY2(r.err.startsWith(errStart), r.err.constData());
        QVERIFY(!QFile::exists(tmp.filePath("cli/large.bin")));
        Shell("rm -rf cli", tmp.path());
    }
};

QTEST_GUILESS_MAIN(tst_ZipPeers)
#include "tst_ZipPeers.moc"
