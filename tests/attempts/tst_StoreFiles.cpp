// The two looks at the store's files taken without SQLite: the header's
// version (so a newer file is never opened for writing) and the count of
// committed transactions a damaged log would drop.
#include "attempts/StoreFileHeader.h"
#include "attempts/WalCheck.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvora::attempts;

namespace {

// A log of `commits` one-row transactions, as a killed program leaves it.
QByteArray MakeLog(const QTemporaryDir& dir, int commits)
{
    const QString path = dir.filePath(QStringLiteral("w.sqlite"));
    QByteArray log;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("w"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        q.exec(QStringLiteral("PRAGMA wal_autocheckpoint=0"));
        q.exec(QStringLiteral("CREATE TABLE t (x)"));
        for (int i = 0; i < commits; ++i)
            q.exec(QStringLiteral("INSERT INTO t VALUES (%1)").arg(i));
        QFile f(path + QStringLiteral("-wal"));
        f.open(QIODevice::ReadOnly);
        log = f.readAll();
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("w"));
    return log;
}

constexpr int Page = 4096;
constexpr int Frame = 24 + Page;
constexpr int Header = 32;

} // namespace

class TestStoreFiles : public QObject {
    Q_OBJECT
private slots:
    void headerVersion_data();
    void headerVersion();
    void lostCommits_data();
    void lostCommits();
};

void TestStoreFiles::headerVersion_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("version"); // -1: no header
    QTest::addColumn<bool>("wal");
    QByteArray h("SQLite format 3\0", 16);
    h += QByteArray(84, '\0');
    QByteArray v99 = h;
    v99[63] = 99;
    QByteArray big = h;
    big[60] = 0x01; // 16,777,216 + 2
    big[63] = 0x02;
    QByteArray wal = h;
    wal[18] = wal[19] = 2;
    wal[63] = 2;
    QTest::newRow("version 0") << h << 0 << false;
    QTest::newRow("version 99") << v99 << 99 << false;
    QTest::newRow("big-endian word") << big << 16777218 << false;
    QTest::newRow("WAL mode") << wal << 2 << true;
    QTest::newRow("shorter than a header") << h.left(99) << -1 << false;
    QTest::newRow("not SQLite") << QByteArray(100, 'x') << -1 << false;
}

void TestStoreFiles::headerVersion()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, version);
    QFETCH(bool, wal);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("h"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    const auto h = StoreFileHeader::Read(path.toStdString());
    QCOMPARE(h.has_value(), version >= 0);
    if (h) {
        QCOMPARE(h->userVersion, version);
        QCOMPARE(h->wal, wal);
    }
    QVERIFY(!StoreFileHeader::Read(dir.filePath(QStringLiteral("missing")).toStdString()));
}

void TestStoreFiles::lostCommits_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("lost"); // -1: some
    QTest::newRow("whole log") << "none" << 0;
    QTest::newRow("log cut inside its last frame") << "cut" << 0;
    QTest::newRow("page byte of the third frame") << "page" << -1;
    QTest::newRow("frames of an older generation after the end") << "stale" << 0;
    QTest::newRow("header checksum wrong: SQLite ignores the log") << "header" << 0;
    QTest::newRow("not a log") << "garbage" << 0;
}

void TestStoreFiles::lostCommits()
{
    QFETCH(QString, damage);
    QFETCH(int, lost);
    QTemporaryDir dir;
    QByteArray log = MakeLog(dir, 6);
    QVERIFY(log.size() >= Header + 7 * Frame);
    QCOMPARE(WalCheck::LostCommitsIn(log.toStdString()), 0);
    if (damage == QLatin1String("cut")) {
        log.chop(100);
    } else if (damage == QLatin1String("page")) {
        log[Header + 2 * Frame + 24 + 1000] = char(log[Header + 2 * Frame + 24 + 1000] ^ 1);
    } else if (damage == QLatin1String("stale")) {
        // The same frames again with other salts: left over from before a
        // restart of the log.
        QByteArray old = log.mid(Header);
        for (int at = 0; at + Frame <= old.size(); at += Frame)
            old[at + 8] = char(old[at + 8] ^ 0x40);
        log += old;
    } else if (damage == QLatin1String("header")) {
        log[28] = char(log[28] ^ 1);
        log[Header + 2 * Frame + 30] = char(log[Header + 2 * Frame + 30] ^ 1);
    } else if (damage == QLatin1String("garbage")) {
        log = QByteArray(3 * Frame, '\x37');
    }
    const int found = WalCheck::LostCommitsIn(log.toStdString());
    if (lost >= 0)
        QCOMPARE(found, lost);
    else
        QVERIFY2(found >= 3, qPrintable(QString::number(found))); // the later inserts at least
    // The same through the file.
    const QString path = dir.filePath(QStringLiteral("copy-wal"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(log);
    f.close();
    QCOMPARE(WalCheck::LostCommits(path.toStdString()), found);
}

QTEST_GUILESS_MAIN(TestStoreFiles)
#include "tst_StoreFiles.moc"
