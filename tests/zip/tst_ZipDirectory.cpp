// Reading an archive's directory: the end record, central headers, the
// tolerance and recovery paths, names, times and the cache.
#include "ZipBuilder.h"
#include "ZipTestSupport.h"

#include "zip/DosDateTime.h"
#include "zip/TSortedZip.h"
#include "zip/TUnZipper.h"
#include "zip/ZipErrors.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QtTest>

#include <random>

using namespace zelvora::zip;
using namespace zelvora::zip::test;

namespace {

uint32_t Dos(unsigned year, unsigned month, unsigned day, unsigned h, unsigned m, unsigned s)
{
    return (static_cast<uint32_t>(((year - 1980) << 9) | (month << 5) | day) << 16) | (h << 11) | (m << 5) | (s / 2);
}

ZipBuilderEntry Entry(const std::string& name, const std::string& data, uint16_t method = 0)
{
    ZipBuilderEntry e;
    e.name = name;
    e.data = data;
    e.method = method;
    return e;
}

QStringList EntryNames(const TUnZipper& z)
{
    QStringList names;
    if (const TSortedZip* list = z.Directory())
        for (size_t i = 0; i < list->Count(); ++i)
            names << QString::fromStdString((*list)[i].directory + (*list)[i].fileName);
    return names;
}

} // namespace

class tst_ZipDirectory : public QObject {
    Q_OBJECT

private:
    QTemporaryDir tmp;
    QString Path(const QString& name) const { return tmp.filePath(name); }
    QString Write(const QString& name, const std::string& bytes)
    {
        WriteBytes(Path(name), bytes);
        return Path(name);
    }

private slots:
    void clampDosDateTime_data()
    {
        QTest::addColumn<uint>("stored");
        QTest::addColumn<uint>("held");
        // Raw fields: hour 24, minute 61, seconds/2 31 (62 s), year 2107, month 13, day 0.
        const uint wild = ((127u << 9 | 13u << 5 | 0u) << 16) | (24u << 11) | (61u << 5) | 31u;
        QTest::newRow("every field out of range") << wild << Dos(2099, 12, 1, 23, 59, 58);
        QTest::newRow("valid value untouched") << Dos(2024, 2, 29, 13, 45, 30) << Dos(2024, 2, 29, 13, 45, 30);
        QTest::newRow("day not checked against month") << Dos(2023, 2, 31, 0, 0, 0) << Dos(2023, 2, 31, 0, 0, 0);
        QTest::newRow("month 0 and day 0") << (Dos(2000, 1, 1, 8, 0, 0) & ~(0x1FFu << 16)) << Dos(2000, 1, 1, 8, 0, 0);
        QTest::newRow("only seconds 62") << (Dos(2010, 5, 5, 10, 10, 0) | 31u) << Dos(2010, 5, 5, 10, 10, 58);
        QTest::newRow("zero value") << 0u << Dos(1980, 1, 1, 0, 0, 0);
    }
    void clampDosDateTime()
    {
        QFETCH(uint, stored);
        QFETCH(uint, held);
        QCOMPARE(ClampDosDateTime(stored), held);
    }

    // Zero-length, too short, no signature, a long comment, a fake record in
    // the comment, a disk of a multi-disk set, a ZIP64 end record.
    void endRecordSearch_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::addColumn<bool>("hasList");
        QTest::addColumn<QStringList>("entries");

        auto bytes = [](const std::string& s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); };
        ZipBuilder one;
        one.entries.push_back(Entry("a.txt", "alpha"));
        const std::string plain = one.Build();

        QTest::newRow("zero-length file") << QByteArray() << true << QStringList();
        QTest::newRow("21 bytes") << bytes(plain.substr(plain.size() - 21)) << false << QStringList();
        std::mt19937 rng(7);
        std::string noise(100000, '\0');
        for (char& c : noise)
            c = static_cast<char>(rng() % 80); // no 'P' (0x50) ever
        QTest::newRow("no signature") << bytes(noise) << false << QStringList();
        QTest::newRow("end record alone") << bytes(ZipBuilder{}.Build()) << true << QStringList();

        ZipBuilder longComment = one;
        longComment.comment = std::string(65535, 'c');
        QTest::newRow("65,535-byte comment") << bytes(longComment.Build()) << true << QStringList{"a.txt"};

        // A comment holding an end record that claims no entries: it lies
        // nearer the end of the file, so it wins.
        ZipBuilder fake = one;
        std::string fakeRecord;
        Put32(fakeRecord, 0x06054B50);
        fakeRecord += std::string(18, '\0');
        fake.comment = "comment " + fakeRecord + " tail";
        QTest::newRow("fake end record in comment") << bytes(fake.Build()) << true << QStringList();

        ZipBuilder multi = one;
        multi.numberOfThisDisk = 2;
        QTest::newRow("disk of a multi-disk set") << bytes(multi.Build()) << false << QStringList();

        ZipBuilder zip64 = one;
        zip64.zip64EndRecord = true;
        QTest::newRow("ZIP64 end record") << bytes(zip64.Build()) << true << QStringList{"a.txt"};

        ZipBuilder zip64multi = zip64;
        zip64multi.numberOfThisDisk = 1;
        QTest::newRow("ZIP64 multi-disk") << bytes(zip64multi.Build()) << false << QStringList();
    }
    void endRecordSearch()
    {
        QFETCH(QByteArray, archive);
        QFETCH(bool, hasList);
        QFETCH(QStringList, entries);
        const QString path = Write("end.zip", archive.toStdString());
        TUnZipper z;
        z.SetZipName(S(path));
        z.LoadDirectory();
        QCOMPARE(z.Directory() != nullptr, hasList);
        QCOMPARE(EntryNames(z), entries);
        QVERIFY(!z.ArchiveOpen());
        z.SetDestDir(S(Path("end-out")));
        if (hasList) {
            QCOMPARE(z.ExtractFiles(), int(entries.size()));
            QVERIFY(QDir(Path("end-out")).exists());
        } else {
            try {
                z.ExtractFiles();
                QFAIL("ExtractFiles returned");
            } catch (const EIncompleteZip& e) {
                QCOMPARE(QString(e.what()), QString("Incomplete Zip File"));
            }
        }
        QDir(Path("end-out")).removeRecursively();
    }

    void entriesComeInLocalHeaderOrder()
    {
        ZipBuilder b;
        for (const char* n : {"one", "two", "three", "four"})
            b.entries.push_back(Entry(n, n));
        b.centralOrder = {2, 0, 3, 1};
        TUnZipper z;
        z.SetZipName(S(Write("order.zip", b.Build())));
        z.LoadDirectory();
        QCOMPARE(EntryNames(z), (QStringList{"one", "two", "three", "four"}));
        QVERIFY(!z.Recovered());
    }

    void namesAndParts_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("versionMadeBy");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QByteArray>("directory");
        QTest::addColumn<QByteArray>("fileName");
        QTest::newRow("MS-DOS cp850 C cedilla")
            << QByteArray("A\x80O.TXT") << 0x0014 << 0 << QByteArray() << QByteArray("A\xC7O.TXT");
        QTest::newRow("Unix name as stored")
            << QByteArray("A\x80O.TXT") << 0x0314 << 0 << QByteArray() << QByteArray("A\x80O.TXT");
        QTest::newRow("UTF-8 flag on MS-DOS host") << QByteArray("a\xC3\xA7\xC3\xA3o.txt") << 0x0014 << 0x0800
                                                   << QByteArray() << QByteArray("a\xC3\xA7\xC3\xA3o.txt");
        QTest::newRow("folders") << QByteArray("dir/sub/a.txt") << 0x0314 << 0 << QByteArray("dir\\sub\\")
                                 << QByteArray("a.txt");
        QTest::newRow("drive") << QByteArray("C:x.txt") << 0 << 0 << QByteArray("C:") << QByteArray("x.txt");
        QTest::newRow("directory entry") << QByteArray("docs/") << 0 << 0 << QByteArray("docs\\") << QByteArray();
    }
    void namesAndParts()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, versionMadeBy);
        QFETCH(int, flags);
        QFETCH(QByteArray, directory);
        QFETCH(QByteArray, fileName);
        ZipBuilder b;
        b.entries.push_back(Entry(stored.toStdString(), "x"));
        b.entries[0].versionMadeBy = static_cast<uint16_t>(versionMadeBy);
        b.entries[0].flags = static_cast<uint16_t>(flags);
        TUnZipper z;
        z.SetZipName(S(Write("names.zip", b.Build())));
        z.LoadDirectory();
        QVERIFY(z.Directory());
        const TZipHeaderInfo& e = (*z.Directory())[0];
        QCOMPARE(QByteArray::fromStdString(e.directory), directory);
        QCOMPARE(QByteArray::fromStdString(e.fileName), fileName);
        QCOMPARE(int(e.fileNameLength), directory.size() + fileName.size());
    }

    void headerFieldsAndClampedTime()
    {
        ZipBuilder b;
        b.entries.push_back(Entry("t.txt", "time", 8));
        b.entries[0].dosDateTime = ((127u << 9 | 13u << 5) << 16) | (24u << 11) | (61u << 5) | 31u;
        b.entries[0].externalAttributes = 0x81A40021;
        b.entries[0].versionMadeBy = 0x031E;
        TUnZipper z;
        z.SetZipName(S(Write("fields.zip", b.Build())));
        z.LoadDirectory();
        const TZipHeaderInfo& e = (*z.Directory())[0];
        QCOMPARE(e.dateTime, Dos(2099, 12, 1, 23, 59, 58));
        QCOMPARE(e.method, uint16_t(8));
        QCOMPARE(e.crc, Crc32Of("time"));
        QCOMPARE(e.uncompressedSize, uint64_t(4));
        QCOMPARE(e.compressedSize, uint64_t(RawDeflate("time").size()));
        QCOMPARE(e.externalAttributes, 0x81A40021u);
        QCOMPARE(e.versionMadeBy, uint16_t(0x031E));
        QCOMPARE(e.localHeaderOffset, uint64_t(0));
        QCOMPARE(e.centralHeaderOffset, uint64_t(30 + 5 + e.compressedSize));
    }

    // Sizes over 2 GB are not negative, and ZIP64 extra fields replace the
    // saturated 32-bit fields.
    void unsignedAndZip64Sizes()
    {
        ZipBuilder b;
        b.entries.push_back(Entry("big.bin", ""));
        b.entries[0].compressedSize = 0xC0000000u; // 3 GB
        b.entries[0].uncompressedSize = 0xC0000000u;
        b.entries.push_back(Entry("huge.bin", ""));
        b.entries[1].compressedSize = 0xFFFFFFFFu;
        b.entries[1].uncompressedSize = 0xFFFFFFFFu;
        b.entries[1].centralExtra = Zip64Extra({0x123456789ull, 0x23456789Aull});
        TUnZipper z;
        z.SetZipName(S(Write("sizes.zip", b.Build())));
        z.LoadDirectory();
        QCOMPARE((*z.Directory())[0].uncompressedSize, uint64_t(0xC0000000u));
        QCOMPARE((*z.Directory())[1].uncompressedSize, uint64_t(0x123456789ull));
        QCOMPARE((*z.Directory())[1].compressedSize, uint64_t(0x23456789Aull));
    }

    void missingCentralExtraFieldIsTolerated()
    {
        ZipBuilder b;
        b.entries.push_back(Entry("first.txt", "1"));
        b.entries.push_back(Entry("second.txt", "2"));
        b.entries.push_back(Entry("third.txt", "3"));
        b.entries[0].phantomCentralExtra = 9;
        TUnZipper z;
        z.SetZipName(S(Write("phantom.zip", b.Build())));
        z.LoadDirectory();
        QCOMPARE(EntryNames(z), (QStringList{"first.txt", "second.txt", "third.txt"}));
        QCOMPARE((*z.Directory())[0].centralExtraLength, uint16_t(0));
        QVERIFY(!z.Recovered());
    }

    void sharedLocalHeaderTriggersRecovery()
    {
        ZipBuilder b;
        b.entries.push_back(Entry("a.txt", "aaaa"));
        b.entries.push_back(Entry("b.txt", "bbbb", 8));
        b.entries.push_back(Entry("c.txt", "cccc"));
        b.entries[2].sharesLocalOf = 0;
        b.entries[1].externalAttributes = 0x20; // from the central header only
        TUnZipper z;
        z.SetZipName(S(Write("shared.zip", b.Build())));
        z.LoadDirectory();
        QVERIFY(z.Recovered());
        // The list comes from the local headers; each central header then
        // updates the record at its local header, so c.txt's header (which
        // points at a.txt's data) lands on the first record.
        QCOMPARE(EntryNames(z), (QStringList{"c.txt", "b.txt", "c.txt"}));
        QCOMPARE((*z.Directory())[0].localHeaderOffset, uint64_t(0));
        QCOMPARE((*z.Directory())[1].externalAttributes, 0x20u);
        z.SetDestDir(S(Path("shared-out")));
        // The first record fails its CRC check (a.txt's bytes, c.txt's CRC).
        QCOMPARE(z.ExtractFiles(), 2);
        QCOMPARE(z.Report().crcMismatch, 1u);
        QCOMPARE(ReadBytes(Path("shared-out/b.txt")), std::string("bbbb"));
        QCOMPARE(ReadBytes(Path("shared-out/c.txt")), std::string("cccc"));
        QCOMPARE(Names(Path("shared-out")), (QStringList{"b.txt", "c.txt"}));
    }

    void unrecoverableDirectoryIsNotAValidZip()
    {
        // An end record claiming one entry at offset 0, and no local header anywhere.
        std::string bytes(300, 'x');
        Put32(bytes, 0x06054B50);
        Put16(bytes, 0);
        Put16(bytes, 0);
        Put16(bytes, 1);
        Put16(bytes, 1);
        Put32(bytes, 46);
        Put32(bytes, 0);
        Put16(bytes, 0);
        const QString path = Write("bad.zip", bytes);
        TUnZipper z;
        z.SetZipName(S(path));
        try {
            z.LoadDirectory();
            QFAIL("LoadDirectory returned");
        } catch (const EBadZipFile& e) {
            QCOMPARE(QString(e.what()), QString("Not a valid zip file!"));
        }
        QCOMPARE(z.ZipName(), std::string());
        QVERIFY(!z.Directory());
        QVERIFY(!z.ArchiveOpen());
    }

    // A self-extractor's stub may hold "PK\3\4"; for ".EXE" the scan starts
    // at 14,000.
    void recoveryOfExeStartsAt14000_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("entries");
        // real2.txt's central header points at real1.txt's local header
        QTest::newRow("exe") << "setup.Exe" << QStringList{"real2.txt", "real2.txt"};
        QTest::newRow("zip") << "setup.zip" << QStringList{"STUB.TXT"};
    }
    void recoveryOfExeStartsAt14000()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, entries);
        ZipBuilder stub;
        stub.entries.push_back(Entry("STUB.TXT", ""));
        stub.writeCentral = false;
        ZipBuilder b;
        b.prefix = std::string(100, 'M') + stub.Build();
        b.prefix.resize(15000, 'M');
        b.entries.push_back(Entry("real1.txt", "1"));
        b.entries.push_back(Entry("real2.txt", "2"));
        b.entries[1].sharesLocalOf = 0;
        TUnZipper z;
        z.SetZipName(S(Write(name, b.Build())));
        z.LoadDirectory();
        QVERIFY(z.Recovered());
        QCOMPARE(EntryNames(z), entries);
    }

    void sidecarHoldsTheDirectory()
    {
        ZipBuilder b;
        b.entries.push_back(Entry("in.txt", std::string(5000, 'z'), 8));
        b.entries.push_back(Entry("two.txt", "second"));
        std::vector<uint32_t> offsets;
        const std::string whole = b.Build(&offsets);
        ZipBuilder dataOnly = b;
        dataOnly.writeCentral = false;
        const std::string data = dataOnly.Build();
        Write("split.zip", data);
        Write("split.zfc", whole.substr(data.size()));
        TUnZipper z;
        z.SetZipName(S(Path("split.zip")));
        z.LoadDirectory();
        QCOMPARE(EntryNames(z), (QStringList{"in.txt", "two.txt"}));
        z.SetDestDir(S(Path("split-out")));
        QCOMPARE(z.ExtractFiles(), 2);
        QCOMPARE(ReadBytes(Path("split-out/in.txt")), std::string(5000, 'z'));
        // Without the sidecar: no end record.
        QFile::remove(Path("split.zfc"));
        TUnZipper y;
        y.SetZipName(S(Path("split.zip")));
        y.LoadDirectory();
        QVERIFY(!y.Directory());
    }

    void directoryCachedWhileArchiveUnchanged()
    {
        ZipBuilder first;
        first.entries.push_back(Entry("old.txt", "old"));
        ZipBuilder second;
        second.entries.push_back(Entry("new.txt", "new"));
        const QString path = Write("cache.zip", first.Build());
        const QDateTime stamp = QDateTime::fromSecsSinceEpoch(1700000000);
        auto setTime = [&](const QDateTime& t) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(t, QFileDevice::FileModificationTime));
        };
        setTime(stamp);
        TUnZipper z;
        z.SetZipName(S(path));
        z.LoadDirectory();
        QCOMPARE(EntryNames(z), QStringList{"old.txt"});
        WriteBytes(path, second.Build());
        setTime(stamp);
        z.SetZipName(S(path)); // same name: nothing forgotten
        z.LoadDirectory();
        QCOMPARE(EntryNames(z), QStringList{"old.txt"});
        setTime(stamp.addSecs(10));
        z.LoadDirectory();
        QCOMPARE(EntryNames(z), QStringList{"new.txt"});
        // A name differing only in letter case is another archive here.
        z.SetZipName(S(tmp.filePath("CACHE.zip")));
        QVERIFY(!z.Directory());
        QVERIFY_THROWS_EXCEPTION(EFileOpenError, z.LoadDirectory());
        QCOMPARE(z.ZipName(), std::string());
    }

    void sortedListRefusesDuplicates()
    {
        TSortedZip list;
        for (uint64_t offset : {300u, 100u, 200u}) {
            auto e = std::make_unique<TZipHeaderInfo>();
            e->localHeaderOffset = offset;
            list.Add(std::move(e));
        }
        auto again = std::make_unique<TZipHeaderInfo>();
        again->localHeaderOffset = 200;
        try {
            list.Add(std::move(again));
            QFAIL("duplicate accepted");
        } catch (const EListError& e) {
            QCOMPARE(QString(e.what()), QString("Duplicate Object index"));
        }
        auto otherDisk = std::make_unique<TZipHeaderInfo>();
        otherDisk->localHeaderOffset = 200;
        otherDisk->diskNumberStart = 1;
        list.Add(std::move(otherDisk));
        QCOMPARE(list.Count(), size_t(4));
        QCOMPARE(list[0].localHeaderOffset, uint64_t(100));
        QCOMPARE(list[3].diskNumberStart, 1u);
        QVERIFY(list.Find(0, 300));
        QVERIFY(!list.Find(0, 250));
    }

    void sortedListOrdersAReversedDirectory()
    {
        // A directory listed backwards, over two disks: list order is still
        // (disk, offset), also when entries arrive after the list was indexed.
        TSortedZip list;
        const uint64_t n = 50000;
        for (uint64_t i = n; i-- > 0;) {
            auto e = std::make_unique<TZipHeaderInfo>();
            e->localHeaderOffset = i * 10;
            e->diskNumberStart = i % 2 ? 0 : 1;
            list.Add(std::move(e));
            if (i == n / 2)
                QCOMPARE(list[0].localHeaderOffset, (n / 2 + 1) * 10);
        }
        QCOMPARE(list.Count(), size_t(n));
        for (size_t i = 1; i < list.Count(); ++i) {
            const TZipHeaderInfo& a = list[i - 1];
            const TZipHeaderInfo& b = list[i];
            QVERIFY(a.diskNumberStart < b.diskNumberStart
                    || (a.diskNumberStart == b.diskNumberStart && a.localHeaderOffset < b.localHeaderOffset));
        }
        QCOMPARE(list[0].localHeaderOffset, uint64_t(10));
        QCOMPARE(list[n - 1].localHeaderOffset, (n - 2) * 10);
        QCOMPARE(list.Find(1, 40)->localHeaderOffset, uint64_t(40));
        QVERIFY(!list.Find(0, 40));
        auto late = std::make_unique<TZipHeaderInfo>();
        late->localHeaderOffset = 5;
        list.Add(std::move(late));
        QCOMPARE(list[0].localHeaderOffset, uint64_t(5));
        QCOMPARE(list[1].localHeaderOffset, uint64_t(10));
    }

    void waitCursorAroundLoadDirectory()
    {
        QStringList calls;
        TUnZipperCallbacks cb;
        cb.waitCursor = [&](bool on) { calls << (on ? "on" : "off"); };
        TUnZipper z(cb);
        ZipBuilder b;
        b.entries.push_back(Entry("a", "a"));
        z.SetZipName(S(Write("cursor.zip", b.Build())));
        z.LoadDirectory();
        z.SetZipName(S(Path("missing.zip")));
        QVERIFY_THROWS_EXCEPTION(EFileOpenError, z.LoadDirectory());
        QCOMPARE(calls, (QStringList{"on", "off", "on", "off"}));
    }
};

QTEST_GUILESS_MAIN(tst_ZipDirectory)
#include "tst_ZipDirectory.moc"
