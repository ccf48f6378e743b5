// build/bin/zelvora-unzip on every archive of the shared zip test data: each
// file it writes must have the sha256 listed in EXPECTED.txt, every listed
// file must be there, nothing else may be, and the count it prints is the
// number of entries.
#include "ExpectedListing.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "support/SharedTestData.h"

namespace {

QString zipDataDir()
{
    return QStringLiteral(ZELVORA_SHARED_TESTDATA "/zip");
}

QString fileSha256(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace

class TestLegacyUnzipTool : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ZELVORA_NEED_SHARED_TESTDATA(zipDataDir() + QStringLiteral("/EXPECTED.txt"),
                                     "the zelvora-unzip runs over them are not run");
        QVERIFY(QFile::exists(tool()));
    }

    void extractsEveryArchiveAsListed_data()
    {
        QTest::addColumn<QString>("archive");
        const auto listing = ExpectedListing::read(zipDataDir() + QStringLiteral("/EXPECTED.txt"));
        QCOMPARE(listing.size(), 12);
        for (const ExpectedArchive& a : listing)
            QTest::newRow(qPrintable(a.path)) << a.path;
    }

    void extractsEveryArchiveAsListed()
    {
        QFETCH(QString, archive);
        ExpectedArchive expected;
        for (const ExpectedArchive& a : ExpectedListing::read(zipDataDir() + QStringLiteral("/EXPECTED.txt")))
            if (a.path == archive)
                expected = a;
        QTemporaryDir work;
        QVERIFY(work.isValid());
        const QString dest = work.filePath(QStringLiteral("out"));

        QProcess run;
        run.start(tool(), {zipDataDir() + QLatin1Char('/') + archive, dest});
        QVERIFY(run.waitForFinished(240000));
        const QString err = QString::fromLocal8Bit(run.readAllStandardError());
        QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0, qPrintable(err));
        QCOMPARE(QString::fromLatin1(run.readAllStandardOutput()).trimmed().toInt(), int(expected.entries.size()));

        QStringList listed;
        for (const ExpectedEntry& e : expected.entries) {
            listed << e.outName;
            QVERIFY2(
                fileSha256(dest + QLatin1Char('/') + e.outName) == e.sha256,
                qPrintable(archive + QLatin1Char(' ') + e.name + QLatin1String(" (") + e.method + QLatin1Char(')')));
        }
        QStringList written = QDir(dest).entryList(QDir::Files | QDir::Hidden | QDir::System);
        written.sort();
        listed.sort();
        QCOMPARE(written, listed);
    }

private:
    static QString tool() { return QStringLiteral(ZELVORA_BINARY_DIR "/bin/zelvora-unzip"); }
};

QTEST_GUILESS_MAIN(TestLegacyUnzipTool)
#include "tst_LegacyUnzipTool.moc"
