// Extraction into a folder and the decoding rules: flat names, what is
// skipped and why, the size guard, the CRC check, quiet ends of deflated
// entries, attributes and times, and hostile archives.
#include "ZipBuilder.h"
#include "ZipTestSupport.h"

#include "zip/DosDateTime.h"
#include "zip/EZipBusy.h"
#include "zip/FileOutputBlocks.h"
#include "zip/Inflate.h"
#include "zip/TUnZipper.h"
#include "zip/ZipErrors.h"
#include "zip/ZipPlatform.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

using namespace zelvora::zip;
using namespace zelvora::zip::test;

namespace {

ZipBuilderEntry Entry(const std::string& name, const std::string& data, uint16_t method = 0)
{
    ZipBuilderEntry e;
    e.name = name;
    e.data = data;
    e.method = method;
    return e;
}

std::string Noise(size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (char& c : s)
        c = static_cast<char>(rng());
    return s;
}

// Compressible but not trivially so: words drawn at random.
std::string Words(size_t n, unsigned seed)
{
    static const char* words[] = {"prova ", "concurso ", "questao ", "gabarito ", "banca ", "edital\n", "ano "};
    std::mt19937 rng(seed);
    std::string s;
    while (s.size() < n)
        s += words[rng() % 7];
    s.resize(n);
    return s;
}

// Blocks given to an output, kept in memory.
class RecordingOutput final : public OutputBlocks {
public:
    explicit RecordingOutput(uint64_t limit = ~0ull) : limit_(limit) {}
    DecodeStatus write(std::span<const uint8_t> block) override
    {
        if (data.size() + block.size() > limit_)
            return DecodeStatus::TooLong;
        sizes.push_back(block.size());
        data.append(reinterpret_cast<const char*>(block.data()), block.size());
        return DecodeStatus::Success;
    }
    std::vector<size_t> sizes;
    std::string data;

private:
    uint64_t limit_;
};

// Bytes in blocks of kBlockSize; with endsEarly the archive "ends" after
// them (TruncatedInput at the empty end block).
class StringInput final : public InputBlocks {
public:
    explicit StringInput(std::string bytes, bool endsEarly = false) : bytes_(std::move(bytes)), endsEarly_(endsEarly) {}
    DecodeStatus status() const override
    {
        return endsEarly_ && at_ == bytes_.size() ? DecodeStatus::TruncatedInput : DecodeStatus::Success;
    }
    std::span<const uint8_t> next() override
    {
        const size_t n = std::min(kBlockSize, bytes_.size() - at_);
        auto block = std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes_.data()) + at_, n);
        at_ += n;
        return block;
    }

private:
    std::string bytes_;
    size_t at_ = 0;
    bool endsEarly_;
};

// A deflate stream whose first `good` bytes decode, followed by a block of
// the reserved type 3 (an error to every decoder).
std::string DeflateThenCorrupt(const std::string& good)
{
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, static_cast<uLong>(good.size())) + 64, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(good.data()));
    z.avail_in = static_cast<uInt>(good.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FULL_FLUSH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out + "\x07\x00\x00\x00"; // BFINAL 1, BTYPE 11
}

// A zip bomb of the overlapping kind: n local headers back to back, then
// `kernel`; every entry is stored and its data run from its own header's
// end to the end of the kernel, so entry i holds every later header and the
// kernel, with sizes and CRC right for those bytes.
std::string QuotedKernel(int n, const std::string& kernel)
{
    std::vector<std::string> headers(static_cast<size_t>(n));
    std::string tail = kernel;
    std::string central;
    for (int i = n; i-- > 0;) {
        const std::string name = "f" + std::to_string(10 + i);
        std::string h;
        Put32(h, 0x04034B50);
        Put16(h, 20);
        Put16(h, 0);
        Put16(h, 0);
        Put32(h, 0x5A210000);
        Put32(h, Crc32Of(tail));
        Put32(h, static_cast<uint32_t>(tail.size()));
        Put32(h, static_cast<uint32_t>(tail.size()));
        Put16(h, static_cast<uint16_t>(name.size()));
        Put16(h, 0);
        h += name;
        headers[static_cast<size_t>(i)] = h;
        tail = h + tail;
    }
    uint32_t offset = 0;
    for (const std::string& h : headers) {
        std::string c;
        Put32(c, 0x02014B50);
        Put16(c, 20);
        c += h.substr(4, 26); // the local header's fields from version needed on
        c += std::string(10, '\0'); // comment length, disk, attributes
        Put32(c, offset);
        c += h.substr(30);
        central += c;
        offset += static_cast<uint32_t>(h.size());
    }
    std::string end;
    Put32(end, 0x06054B50);
    Put32(end, 0);
    Put16(end, static_cast<uint16_t>(n));
    Put16(end, static_cast<uint16_t>(n));
    Put32(end, static_cast<uint32_t>(central.size()));
    Put32(end, static_cast<uint32_t>(tail.size()));
    Put16(end, 0);
    return tail + central + end;
}

mode_t ModeOf(const QString& path)
{
    struct stat st {};
    if (::lstat(path.toLocal8Bit().constData(), &st) != 0)
        return 0;
    return st.st_mode;
}

} // namespace

class tst_ZipExtract : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> tmp;
    QString Path(const QString& name) const { return tmp->filePath(name); }
    QString Dest() const { return Path("dest"); }

    // Extracts an archive built by b into Dest(); returns the count.
    int Extract(const ZipBuilder& b, TUnZipper& z)
    {
        WriteBytes(Path("a.zip"), b.Build());
        z.SetZipName(S(Path("a.zip")));
        z.LoadDirectory();
        z.DoAll = true;
        z.SetDestDir(S(Dest()) + "/");
        return z.ExtractFiles();
    }
    int Extract(const ZipBuilder& b)
    {
        TUnZipper z;
        return Extract(b, z);
    }

private slots:
    void init()
    {
        tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(tmp->isValid());
    }
    void cleanup()
    {
        // Read-only files inside must not stop the removal.
        ::system(("chmod -R u+w " + tmp->path().toStdString()).c_str());
        tmp.reset();
    }

    // Folders, drives, ".." and absolute paths are dropped: every file lands
    // directly in the destination, and nothing is written anywhere else.
    void flatNames_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("folders") << QByteArray("a/b/c/x.txt");
        QTest::newRow("parent steps") << QByteArray("../../x.txt");
        QTest::newRow("backslash parent steps") << QByteArray("..\\..\\x.txt");
        QTest::newRow("drive backslash") << QByteArray("C:\\x.txt");
        QTest::newRow("drive slash") << QByteArray("C:/x.txt");
        QTest::newRow("drive relative") << QByteArray("C:x.txt");
        QTest::newRow("absolute") << QByteArray("/tmp/x.txt");
    }
    void flatNames()
    {
        QFETCH(QByteArray, stored);
        ZipBuilder b;
        b.entries.push_back(Entry(stored.toStdString(), "payload", 8));
        QCOMPARE(Extract(b), 1);
        QCOMPARE(Names(Dest()), QStringList{"x.txt"});
        QCOMPARE(ReadBytes(Dest() + "/x.txt"), std::string("payload"));
        QCOMPARE(Names(tmp->path()), (QStringList{"a.zip", "dest"}));
    }

    void namesThatCannotBeFiles_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("dot dot") << QByteArray("a/..");
        QTest::newRow("dot") << QByteArray("a/.");
        QTest::newRow("embedded NUL") << QByteArray("x\0y", 3);
    }
    void namesThatCannotBeFiles()
    {
        QFETCH(QByteArray, stored);
        ZipBuilder b;
        b.entries.push_back(Entry(stored.toStdString(), "evil"));
        b.entries.push_back(Entry("fine.txt", "fine"));
        TUnZipper z;
        QCOMPARE(Extract(b, z), 1);
        QCOMPARE(z.Report().notCreated, 1u);
        QCOMPARE(Names(Dest()), QStringList{"fine.txt"});
        QCOMPARE(Names(tmp->path()), (QStringList{"a.zip", "dest"}));
    }

    void laterEntryWinsAFlatName()
    {
        ZipBuilder b;
        b.entries.push_back(Entry("a/x.txt", "first"));
        b.entries.push_back(Entry("b/x.txt", "second", 8));
        b.centralOrder = {1, 0}; // list order follows the local headers
        QCOMPARE(Extract(b), 2);
        QCOMPARE(ReadBytes(Dest() + "/x.txt"), std::string("second"));
    }

    void directoryEntries_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("folders only") << QStringList{"a/", "a/b/"} << 0 << QStringList();
        QTest::newRow("folders and a file") << QStringList{"a/", "a/b/", "a/b/f.txt"} << 3 << QStringList{"f.txt"};
    }
    void directoryEntries()
    {
        QFETCH(QStringList, names);
        QFETCH(int, count);
        QFETCH(QStringList, files);
        ZipBuilder b;
        for (const QString& n : names)
            b.entries.push_back(Entry(S(n), n.endsWith('/') ? "" : "file"));
        QCOMPARE(Extract(b), count);
        QVERIFY(QFileInfo(Dest()).isDir());
        QCOMPARE(Names(Dest()), files);
    }

    void sizeGuardAndCrcCheck_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<int>("dataSize");
        QTest::addColumn<int>("declaredSize");
        QTest::addColumn<bool>("wrongCrc");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<bool>("damaged"); // left out as damaged data, not as a CRC mismatch
        QTest::newRow("stored longer than declared") << 0 << 40000 << 10 << false << false << true;
        QTest::newRow("deflated longer than declared") << 8 << 90000 << 70000 << false << false << true;
        QTest::newRow("stored, wrong CRC") << 0 << 100 << 100 << true << false << false;
        QTest::newRow("deflated, wrong CRC") << 8 << 100000 << 100000 << true << false << false;
        QTest::newRow("deflated, exact") << 8 << 100000 << 100000 << false << true << false;
        QTest::newRow("deflated empty") << 8 << 0 << 0 << false << true << false;
        QTest::newRow("stored empty") << 0 << 0 << 0 << false << true << false;
    }
    void sizeGuardAndCrcCheck()
    {
        QFETCH(int, method);
        QFETCH(int, dataSize);
        QFETCH(int, declaredSize);
        QFETCH(bool, wrongCrc);
        QFETCH(bool, kept);
        QFETCH(bool, damaged);
        ZipBuilder b;
        b.entries.push_back(Entry("test.bin", Words(static_cast<size_t>(dataSize), 3), static_cast<uint16_t>(method)));
        b.entries[0].uncompressedSize = static_cast<uint32_t>(declaredSize);
        if (wrongCrc)
            b.entries[0].crc = Crc32Of(b.entries[0].data) ^ 1;
        b.entries.push_back(Entry("next.txt", "next"));
        TUnZipper z;
        QCOMPARE(Extract(b, z), kept ? 2 : 1);
        QCOMPARE(QFile::exists(Dest() + "/test.bin"), kept);
        QCOMPARE(z.Report().crcMismatch, kept || damaged ? 0u : 1u);
        QCOMPARE(z.Report().damaged, damaged ? 1u : 0u);
        QCOMPARE(ReadBytes(Dest() + "/next.txt"), std::string("next"));
        if (kept)
            QCOMPARE(ReadBytes(Dest() + "/test.bin"), b.entries[0].data);
    }

    // The guard refuses a whole block: nothing of it reaches the file.
    void sizeGuardRefusesWholeBlock()
    {
        const int fd = ::open(Path("guard.bin").toLocal8Bit().constData(), O_RDWR | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0);
        {
            TLFNFileStream file(fd);
            FileOutputBlocks out(file, 40000);
            const std::string block(kBlockSize, 'b');
            const std::span<const uint8_t> span(reinterpret_cast<const uint8_t*>(block.data()), block.size());
            QCOMPARE(out.write(span), DecodeStatus::Success);
            QCOMPARE(out.write(span), DecodeStatus::TooLong);
            QCOMPARE(out.write(span.first(40000 - kBlockSize)), DecodeStatus::Success);
            QCOMPARE(out.Written(), uint64_t(40000));
            QCOMPARE(out.Crc(), Crc32Of(std::string(40000, 'b')));
        }
        QCOMPARE(QFileInfo(Path("guard.bin")).size(), qint64(40000));
    }

    // A corrupt deflated entry writes only the full blocks decoded before
    // the fault, never the partial one; the one-call decoding of small
    // entries (sizes given) writes exactly what the streaming one writes.
    void inflateQuietEnd_data()
    {
        QTest::addColumn<QByteArray>("stream");
        QTest::addColumn<bool>("endsEarly");
        QTest::addColumn<qulonglong>("limit");
        QTest::addColumn<bool>("completed");
        QTest::addColumn<QList<int>>("blocks");
        const std::string text = Words(70000, 5);
        const std::string big = Words(200000, 5);
        auto bytes = [](const std::string& s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); };
        QTest::newRow("corrupt after 70000 bytes")
            << bytes(DeflateThenCorrupt(text)) << false << 70000ull << false << QList<int>{32768, 32768};
        QTest::newRow("cut short") << bytes(RawDeflate(text).substr(0, 2000)) << false << 70000ull << false
                                   << QList<int>{};
        const std::string stored = RawDeflate(Noise(100000, 6), 0); // stored blocks: 1 input byte per output byte
        QTest::newRow("archive ends") << bytes(stored.substr(0, 2 * kBlockSize)) << true << 100000ull << false
                                      << QList<int>{32768};
        QTest::newRow("whole") << bytes(RawDeflate(text)) << false << 70000ull << true
                               << QList<int>{32768, 32768, 4464};
        QTest::newRow("shorter than declared")
            << bytes(RawDeflate(text)) << false << 80000ull << true << QList<int>{32768, 32768, 4464};
        QTest::newRow("longer than the size guard")
            << bytes(RawDeflate(text)) << false << 69999ull << false << QList<int>{32768, 32768};
        QTest::newRow("several input blocks") << bytes(RawDeflate(big, 0)) << false << 200000ull << true
                                              << QList<int>{32768, 32768, 32768, 32768, 32768, 32768, 3392};
        QTest::newRow("empty stream") << bytes(RawDeflate("")) << false << 0ull << true << QList<int>{};
        QTest::newRow("no bytes at all") << QByteArray() << false << 10ull << false << QList<int>{};
    }
    void inflateQuietEnd()
    {
        QFETCH(QByteArray, stream);
        QFETCH(bool, endsEarly);
        QFETCH(qulonglong, limit);
        QFETCH(bool, completed);
        QFETCH(QList<int>, blocks);
        for (bool sizesGiven : {false, true}) {
            StringInput in(stream.toStdString(), endsEarly);
            RecordingOutput out(limit);
            std::vector<uint8_t> block(kBlockSize);
            const uint64_t csize = sizesGiven ? uint64_t(stream.size()) + (endsEarly ? 5000 : 0) : 0;
            QCOMPARE(Inflate(in, out, block.data(), {}, csize, sizesGiven ? limit : 0) == DecodeStatus::Success,
                     completed);
            QList<int> sizes;
            for (size_t s : out.sizes)
                if (s)
                    sizes << int(s);
            QCOMPARE(sizes, blocks);
            const std::string& source = endsEarly ? Noise(100000, 6)
                : blocks.size() > 4               ? Words(200000, 5)
                                                  : Words(70000, 5);
            QCOMPARE(out.data, source.substr(0, out.data.size()));
        }
    }

    // An entry whose data run past the end of the archive is left out as
    // damaged, whatever its method, and the entries after it are written.
    void archiveEndsInsideEntry_data()
    {
        QTest::addColumn<int>("method");
        QTest::newRow("deflated") << 8;
        QTest::newRow("stored") << 0;
    }
    void archiveEndsInsideEntry()
    {
        QFETCH(int, method);
        ZipBuilder b;
        b.entries.push_back(Entry("before.txt", "before"));
        b.entries.push_back(Entry("cut.bin", Noise(100000, 9), static_cast<uint16_t>(method)));
        b.entries[1].compressedSize = 0x7FFFFFFF; // runs past the end of the archive
        b.entries[1].uncompressedSize = 0x7FFFFFFF;
        b.entries.push_back(Entry("after.txt", "after"));
        TUnZipper z;
        QCOMPARE(Extract(b, z), 2);
        QCOMPARE(Names(Dest()), (QStringList{"after.txt", "before.txt"}));
        QCOMPARE(z.Report().damaged, 1u);
        QCOMPARE(z.Report().Total(), 1u);
        QVERIFY(!z.ArchiveOpen());
    }

    // Entries whose bytes, local header to end of data, overlap another
    // entry's are left out before anything of them is written, each with
    // its own reason; entries that only touch are written.
    void overlappingEntries_data()
    {
        QTest::addColumn<int>("extra"); // bytes the first entry's data reach past their end
        QTest::addColumn<QStringList>("written");
        QTest::newRow("adjacent") << 0 << QStringList{"a.txt", "b.txt", "c.txt", "d.txt"};
        QTest::newRow("one byte into the next header") << 1 << QStringList{"c.txt", "d.txt"};
        QTest::newRow("over the next entry, into the third") << 40 << QStringList{"d.txt"};
    }
    void overlappingEntries()
    {
        QFETCH(int, extra);
        QFETCH(QStringList, written);
        ZipBuilder b;
        for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt"})
            b.entries.push_back(Entry(name, std::string(4, name[0])));
        // The first entry's sizes and CRC are right for the bytes it spans,
        // so only the overlap can keep it out.
        const size_t dataStart = 30 + 5;
        const std::string spanned = b.Build().substr(dataStart, 4 + static_cast<size_t>(extra));
        b.entries[0].compressedSize = b.entries[0].uncompressedSize = static_cast<uint32_t>(spanned.size());
        b.entries[0].crc = Crc32Of(spanned);
        TUnZipper z;
        QCOMPARE(Extract(b, z), written.size());
        QCOMPARE(Names(Dest()), written);
        QCOMPARE(z.Report().overlapping, 4u - static_cast<unsigned>(written.size()));
        QCOMPARE(z.Report().Total(), z.Report().overlapping);
    }

    // Every entry quotes the same kernel: nothing is written at all.
    void quotedKernelBomb()
    {
        const int n = 40;
        WriteBytes(Path("bomb.zip"), QuotedKernel(n, Words(20000, 8)));
        TUnZipper z;
        z.SetZipName(S(Path("bomb.zip")));
        z.SetDestDir(S(Dest()));
        QCOMPARE(z.ExtractFiles(), 0);
        QCOMPARE(Names(Dest()), QStringList());
        QCOMPARE(z.Report().overlapping, unsigned(n));
        QCOMPARE(z.Report().Total(), unsigned(n));
    }

    // A full disk (here: a file size limit) stops the extraction for every
    // method, with the system's reason, and leaves no partial file.
    void diskFull_data()
    {
        QTest::addColumn<int>("method");
        QTest::newRow("stored") << 0;
        QTest::newRow("deflated") << 8;
    }
    void diskFull()
    {
        QFETCH(int, method);
        ZipBuilder b;
        b.entries.push_back(Entry("before.txt", "before"));
        b.entries.push_back(Entry("large.bin", Noise(100000, 5), static_cast<uint16_t>(method)));
        b.entries.push_back(Entry("after.txt", "after"));
        WriteBytes(Path("a.zip"), b.Build());
        TUnZipper z;
        z.SetZipName(S(Path("a.zip")));
        z.SetDestDir(S(Dest()));
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit old {};
        ::getrlimit(RLIMIT_FSIZE, &old);
        struct rlimit limit = old;
        limit.rlim_cur = 50000;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        QString error;
        try {
            z.ExtractFiles();
        } catch (const ZipError& e) {
            error = e.what();
        }
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(error, QString("Cant write uncompressed file \"large.bin\". ") + std::strerror(EFBIG));
        QCOMPARE(Names(Dest()), QStringList{"before.txt"});
        QCOMPARE(z.Report().written, 1u);
        QCOMPARE(z.Report().Total(), 0u);
    }

    // A read-only file in the way is never replaced (the tests may run as
    // root, who could write it).
    void readOnlyFileInTheWay()
    {
        QDir().mkpath(Dest());
        WriteBytes(Dest() + "/x.txt", "old");
        ::chmod((Dest() + "/x.txt").toLocal8Bit().constData(), 0444);
        ZipBuilder b;
        b.entries.push_back(Entry("x.txt", "new"));
        b.entries.push_back(Entry("y.txt", "y"));
        TUnZipper z;
        QCOMPARE(Extract(b, z), 1);
        QCOMPARE(ReadBytes(Dest() + "/x.txt"), std::string("old"));
        QCOMPARE(z.Report().notCreated, 1u);
    }

    // What stands at a destination name: a link is replaced, never followed;
    // a hard link to a file elsewhere is not written through; a writable
    // file is replaced; a folder makes the entry skipped.
    void objectsInTheWay_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("created");
        QTest::newRow("symbolic link") << "symlink" << true;
        QTest::newRow("dangling symbolic link") << "dangling" << true;
        QTest::newRow("hard link") << "hardlink" << true;
        QTest::newRow("writable file") << "file" << true;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("fifo") << "fifo" << false;
    }
    void objectsInTheWay()
    {
        QFETCH(QString, kind);
        QFETCH(bool, created);
        QDir().mkpath(Dest());
        const QString outside = Path("outside.txt");
        WriteBytes(outside, "outside");
        const QByteArray target = (Dest() + "/x.txt").toLocal8Bit();
        if (kind == "symlink")
            QCOMPARE(::symlink(outside.toLocal8Bit().constData(), target.constData()), 0);
        else if (kind == "dangling")
            QCOMPARE(::symlink(Path("nowhere.txt").toLocal8Bit().constData(), target.constData()), 0);
        else if (kind == "hardlink")
            QCOMPARE(::link(outside.toLocal8Bit().constData(), target.constData()), 0);
        else if (kind == "file")
            WriteBytes(Dest() + "/x.txt", "old contents, longer than the new");
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(Dest() + "/x.txt"));
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(target.constData(), 0644), 0);
        ZipBuilder b;
        b.entries.push_back(Entry("x.txt", "entry"));
        TUnZipper z;
        QCOMPARE(Extract(b, z), created ? 1 : 0);
        QCOMPARE(ReadBytes(outside), std::string("outside"));
        QVERIFY(!QFile::exists(Path("nowhere.txt")));
        if (created) {
            QVERIFY(S_ISREG(ModeOf(Dest() + "/x.txt")));
            QCOMPARE(ReadBytes(Dest() + "/x.txt"), std::string("entry"));
        } else {
            QCOMPARE(z.Report().notCreated, 1u);
        }
    }

    void encryptedAndUnknownMethods()
    {
        ZipBuilder b;
        b.entries.push_back(Entry("secret.txt", "secret"));
        b.entries[0].flags = 0x0001;
        b.entries.push_back(Entry("secret.bz2", "secret", 12));
        b.entries.back().flags = 0x0001; // a method the reader decodes, but encrypted
        b.entries.push_back(Entry("tokenized.bin", "data", 7));
        b.entries.push_back(Entry("ppmd.bin", "data", 98));
        b.entries.push_back(Entry("empty.ppmd", "", 98)); // CRC 0: the empty file is right
        b.entries.push_back(Entry("plain.txt", "plain"));
        QStringList boxes;
        TUnZipperCallbacks cb;
        cb.messageBox = [&](const std::string& text, const std::string& caption) {
            boxes << QString::fromStdString(caption + ": " + text);
        };
        TUnZipper z(cb);
        QCOMPARE(Extract(b, z), 2);
        QCOMPARE(Names(Dest()), (QStringList{"empty.ppmd", "plain.txt"}));
        QCOMPARE(boxes, QStringList(3, "Zip Error: Unknown Compression Method"));
        QCOMPARE(z.Report().encrypted, 2u);
        QCOMPARE(z.Report().methodNotDecoded, 2u);
        QCOMPARE(z.Report().crcMismatch, 0u);
        QCOMPARE(z.Report().Total(), 4u);
    }

    void attributesAndTime_data()
    {
        QTest::addColumn<int>("versionMadeBy");
        QTest::addColumn<uint>("attributes");
        QTest::addColumn<uint>("mode");
        QTest::newRow("MS-DOS plain") << 0x0014 << 0x20u << 0644u;
        QTest::newRow("MS-DOS read-only") << 0x0014 << 0x21u << 0444u;
        QTest::newRow("Unix 0755") << 0x031E << (0100755u << 16) << 0755u;
        QTest::newRow("Unix setuid dropped") << 0x031E << (0104755u << 16) << 0755u;
        QTest::newRow("Unix owner keeps read") << 0x031E << (0100000u << 16) << 0400u;
        QTest::newRow("Unix read-only bit") << 0x031E << ((0100644u << 16) | 1u) << 0444u;
        QTest::newRow("Unix link stays a file") << 0x031E << (0120777u << 16) << 0644u;
    }
    void attributesAndTime()
    {
        QFETCH(int, versionMadeBy);
        QFETCH(uint, attributes);
        QFETCH(uint, mode);
        const mode_t old = ::umask(022);
        ZipBuilder b;
        b.entries.push_back(Entry("f.txt", "target/path"));
        b.entries[0].versionMadeBy = static_cast<uint16_t>(versionMadeBy);
        b.entries[0].externalAttributes = attributes;
        b.entries[0].dosDateTime = ((45u << 9 | 3u << 5 | 15u) << 16) | (10u << 11) | (20u << 5) | 15u;
        QCOMPARE(Extract(b), 1);
        ::umask(old);
        const mode_t m = ModeOf(Dest() + "/f.txt");
        QVERIFY(S_ISREG(m));
        QCOMPARE(uint(m & 07777), mode);
        struct stat st {};
        ::stat((Dest() + "/f.txt").toLocal8Bit().constData(), &st);
        QCOMPARE(int64_t(st.st_mtime), platform::DosDateTimeToUnix(b.entries[0].dosDateTime));
        QCOMPARE(QFileInfo(Dest() + "/f.txt").lastModified().toUTC().toString(Qt::ISODate),
                 QString("2025-03-15T10:20:30Z")); // TZ=UTC in the tests
    }

    // Pending messages run before each input block (not when switched off).
    void messagesBeforeEachBlock_data()
    {
        QTest::addColumn<bool>("process");
        QTest::addColumn<int>("calls");
        QTest::newRow("on") << true << 4; // 100,000 bytes: 3 full blocks and one of 1,696
        QTest::newRow("off") << false << 0;
    }
    void messagesBeforeEachBlock()
    {
        QFETCH(bool, process);
        QFETCH(int, calls);
        int seen = 0;
        TUnZipperCallbacks cb;
        cb.processMessages = [&] { ++seen; };
        TUnZipper z(cb);
        z.DoProcessMessages = process;
        ZipBuilder b;
        b.entries.push_back(Entry("big.bin", Noise(100000, 1)));
        QCOMPARE(Extract(b, z), 1);
        QCOMPARE(seen, calls);
    }

    // A window message handler that calls the component again while it
    // works is refused; the work under way finishes unharmed.
    void calledAgainFromAMessage()
    {
        TUnZipper* self = nullptr;
        QStringList refused;
        TUnZipperCallbacks cb;
        cb.processMessages = [&] {
            try {
                self->SetZipName(S(Path("other.zip")));
            } catch (const EZipBusy& e) {
                refused << e.what();
            }
            try {
                self->ExtractFiles();
            } catch (const EZipBusy&) {
                refused << "extract";
            }
        };
        TUnZipper z(cb);
        self = &z;
        ZipBuilder b;
        b.entries.push_back(Entry("big.bin", Noise(70000, 3)));
        b.entries.push_back(Entry("small.txt", Words(50000, 2), 8));
        QCOMPARE(Extract(b, z), 2);
        QCOMPARE(ReadBytes(Dest() + "/big.bin"), b.entries[0].data);
        QCOMPARE(ReadBytes(Dest() + "/small.txt"), b.entries[1].data);
        QCOMPARE(refused.size(), 2 * 4); // 3 blocks of big.bin, 1 of small.txt
        QCOMPARE(refused.first(), QString("Zip component busy"));
        QCOMPARE(z.ZipName(), S(Path("a.zip")));
    }

    void zip64Entry()
    {
        ZipBuilder b;
        const std::string data = Words(50000, 8);
        b.entries.push_back(Entry("z64.txt", data, 8));
        b.entries[0].compressedSize = 0xFFFFFFFFu;
        b.entries[0].uncompressedSize = 0xFFFFFFFFu;
        b.entries[0].centralExtra = Zip64Extra({data.size(), RawDeflate(data).size()});
        b.entries[0].localExtra = b.entries[0].centralExtra;
        b.zip64EndRecord = true;
        QCOMPARE(Extract(b), 1);
        QCOMPARE(ReadBytes(Dest() + "/z64.txt"), data);
    }

    void utf8AndCodePageNames()
    {
        ZipBuilder b;
        b.entries.push_back(Entry("A\x87\x80O.TXT", "dos")); // cp850 c cedilla, C cedilla
        b.entries.push_back(Entry("a\xC3\xA7\xC3\xA3o.txt", "utf8"));
        b.entries[1].flags = 0x0800;
        b.entries.push_back(Entry("caf\xE9.txt", "latin1")); // Unix host, not UTF-8
        b.entries[2].versionMadeBy = 0x0314;
        QCOMPARE(Extract(b), 3);
        QCOMPARE(ReadBytes(Dest() + QString::fromUtf8("/A\u00E7\u00C7O.TXT")), std::string("dos"));
        QCOMPARE(ReadBytes(Dest() + QString::fromUtf8("/a\u00E7\u00E3o.txt")), std::string("utf8"));
        QCOMPARE(ReadBytes(Dest() + QString::fromUtf8("/caf\u00E9.txt")), std::string("latin1"));
    }

    // Damaged archives of every kind: no crash, no hang, nothing outside the
    // destination, and only regular files inside it.
    void hostileArchives()
    {
        ZipBuilder b;
        b.entries.push_back(Entry("../../up.txt", Words(3000, 1), 8));
        b.entries.push_back(Entry("/abs/link", "/etc/passwd"));
        b.entries[1].versionMadeBy = 0x0314;
        b.entries[1].externalAttributes = 0120777u << 16;
        b.entries.push_back(Entry("C:\\win.txt", Noise(40000, 2)));
        b.entries.push_back(Entry("d/", ""));
        b.entries.push_back(Entry("over.txt", "overlap"));
        b.entries[4].sharesLocalOf = 0;
        b.comment = "comment";
        const std::string good = b.Build();
        std::mt19937 rng(1234);
        std::vector<std::string> cases;
        for (size_t cut = 0; cut < good.size(); cut += 1 + good.size() / 97)
            cases.push_back(good.substr(0, cut));
        for (int i = 0; i < 150; ++i) {
            std::string bad = good;
            for (int flips = 1 + static_cast<int>(rng() % 4); flips > 0; --flips)
                bad[rng() % bad.size()] = static_cast<char>(rng());
            cases.push_back(bad);
        }
        for (int i = 0; i < 20; ++i)
            cases.push_back(Noise(rng() % 70000, static_cast<unsigned>(i)));
        for (size_t i = 0; i < cases.size(); ++i) {
            QDir(Dest()).removeRecursively();
            WriteBytes(Path("h.zip"), cases[i]);
            TUnZipper z;
            try {
                z.SetZipName(S(Path("h.zip")));
                z.LoadDirectory();
                z.SetDestDir(S(Dest()));
                z.ExtractFiles();
            } catch (const ZipError&) {
            }
            for (const QString& n : Names(tmp->path()))
                QVERIFY2(n == "dest" || n == "h.zip", qPrintable(QString("case %1 wrote %2").arg(i).arg(n)));
            for (const QString& n : Names(Dest()))
                QVERIFY2(S_ISREG(ModeOf(Dest() + "/" + n)), qPrintable(QString("case %1: %2").arg(i).arg(n)));
        }
    }
};

QTEST_GUILESS_MAIN(tst_ZipExtract)
#include "tst_ZipExtract.moc"
