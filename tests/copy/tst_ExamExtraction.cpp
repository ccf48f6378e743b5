// The window-free half of the exam copy: the archive path of a row and the
// outcome of one extraction, told apart into complete, failed and incomplete.
#include "catalog/ExamExtraction.h"
#include "zip/TUnZipper.h"
#include "zipwriter/ZipWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvora;
using catalog::ExamExtraction;
using zipwriter::ZipWriter;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Write(const QString& path, const std::string& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
}

std::string TwoFiles()
{
    ZipWriter w;
    w.addFile("dir/a.txt", std::string(70000, 'a') + "fim", ZipWriter::Method::Deflated);
    w.addFile("b.txt", "bbb", ZipWriter::Method::Stored);
    return w.finish();
}

} // namespace

class TestExamExtraction : public QObject {
    Q_OBJECT
private slots:
    void archivePath_data();
    void archivePath();
    void archivePathOfAMissingRowThrows();
    void outcome_data();
    void outcome();
    void sameReaderServesTwoArchivesInTurn();
};

void TestExamExtraction::archivePath_data()
{
    QTest::addColumn<QByteArray>("name"); // Windows-1252, as in "nomes.txt"
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("plain") << QByteArray("prova.zip") << QByteArray("/d/dados/prova.zip");
    QTest::newRow("sub-folder with backslash") << QByteArray("2010\\p.zip") << QByteArray("/d/dados/2010/p.zip");
    QTest::newRow("accented name") << QByteArray("Fun\xe7\xe3o.zip") << QByteArray("/d/dados/Fun\xc3\xa7\xc3\xa3o.zip");
    QTest::newRow("hash kept") << QByteArray("a#b.zip") << QByteArray("/d/dados/a#b.zip");
}

void TestExamExtraction::archivePath()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, expected);
    const std::vector<std::string> rows{"x.zip", name.toStdString()};
    QCOMPARE(QByteArray::fromStdString(ExamExtraction::ArchivePath("/d/dados/", rows, 1)), expected);
}

void TestExamExtraction::archivePathOfAMissingRowThrows()
{
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, ExamExtraction::ArchivePath("/d/", {"a.zip"}, 1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, ExamExtraction::ArchivePath("/d/", {}, 0));
}

void TestExamExtraction::outcome_data()
{
    QTest::addColumn<QByteArray>("archive"); // empty: no file at all
    QTest::addColumn<QString>("dest"); // under the temporary folder
    QTest::addColumn<bool>("failed");
    QTest::addColumn<int>("leftOut");
    QTest::addColumn<QStringList>("written");

    const QByteArray good = QByteArray::fromStdString(TwoFiles());
    QByteArray badCrc = good;
    badCrc[badCrc.indexOf("bbb")] = 'c';

    QTest::newRow("complete") << good << "out" << false << 0 << QStringList{"a.txt", "b.txt"};
    QTest::newRow("missing archive") << QByteArray() << "out" << true << 0 << QStringList{};
    QTest::newRow("random bytes") << QByteArray(500, '\x11') << "out" << true << 0 << QStringList{};
    QTest::newRow("crc mismatch") << badCrc << "out" << false << 1 << QStringList{"a.txt"};
    // The destination folder cannot be created: an error, not two left-out files.
    QTest::newRow("name too long") << good << QString(300, 'n') << true << 0 << QStringList{};
}

void TestExamExtraction::outcome()
{
    QFETCH(QByteArray, archive);
    QFETCH(QString, dest);
    QFETCH(bool, failed);
    QFETCH(int, leftOut);
    QFETCH(QStringList, written);

    QTemporaryDir tmp;
    const QString zip = tmp.filePath("e.zip");
    if (!archive.isEmpty())
        QVERIFY(Write(zip, archive.toStdString()));
    zip::TUnZipper unzipper;
    unzipper.OverwriteMode = zip::TUZOverwriteMode::Always;
    ExamExtraction extraction(unzipper);
    const auto r = extraction.Extract(zip.toStdString(), tmp.filePath(dest).toStdString());

    QCOMPARE(r.failed, failed);
    QCOMPARE(!r.error.empty(), failed);
    QCOMPARE(r.leftOut, leftOut);
    QCOMPARE(r.complete(), !failed && leftOut == 0);
    QCOMPARE(QDir(tmp.filePath(dest)).entryList(QDir::Files, QDir::Name), written);
    if (written.contains("a.txt"))
        QCOMPARE(ReadAll(tmp.filePath(dest) + "/a.txt"), QByteArray(70000, 'a') + "fim");
}

void TestExamExtraction::sameReaderServesTwoArchivesInTurn()
{
    // The catalog window keeps one reader for every copy.
    QTemporaryDir tmp;
    ZipWriter one, two;
    one.addFile("um.txt", "1");
    two.addFile("dois.txt", "2");
    QVERIFY(one.writeTo(tmp.filePath("1.zip").toStdString()));
    QVERIFY(two.writeTo(tmp.filePath("2.zip").toStdString()));
    zip::TUnZipper unzipper;
    unzipper.OverwriteMode = zip::TUZOverwriteMode::Always;
    ExamExtraction extraction(unzipper);
    QVERIFY(extraction.Extract(tmp.filePath("1.zip").toStdString(), tmp.filePath("a").toStdString()).complete());
    QVERIFY(extraction.Extract(tmp.filePath("2.zip").toStdString(), tmp.filePath("b").toStdString()).complete());
    QVERIFY(extraction.Extract(tmp.filePath("1.zip").toStdString(), tmp.filePath("b").toStdString()).complete());
    QCOMPARE(QDir(tmp.filePath("a")).entryList(QDir::Files), QStringList{"um.txt"});
    QCOMPARE(QDir(tmp.filePath("b")).entryList(QDir::Files, QDir::Name), (QStringList{"dois.txt", "um.txt"}));
}

QTEST_GUILESS_MAIN(TestExamExtraction)
#include "tst_ExamExtraction.moc"
