// The newer methods (Deflate64, bzip2, LZMA, XZ, Zstandard) through the
// extraction: their data extract exactly, damaged data are left out as a CRC
// mismatch or damaged entry while the next entries still extract, and Deflate64's own rules
// (64 KiB distances, length code 285, distance codes 30 and 31) hold in any
// input block size.
#include "MethodWriters.h"
#include "ZipBuilder.h"
#include "ZipTestSupport.h"

#include "zip/Inflate64.h"
#include "zip/TUnZipper.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <random>

using namespace zelvora::zip;
using namespace zelvora::zip::test;

namespace {

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

std::string Noise(size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (char& c : s)
        c = static_cast<char>(rng());
    return s;
}

std::string Flipped(std::string s, size_t at)
{
    s[at] = static_cast<char>(s[at] ^ 0x55);
    return s;
}

// Hand-made Deflate64 streams, each with what it decodes to.
Deflate64Writer BeyondWindow32k()
{
    Deflate64Writer w;
    w.stored(Noise(40000, 1)).fixed(true).literals("ab").match(300, 40002).match(20, 33000).endOfBlock();
    return w;
}
Deflate64Writer FullWindow64k()
{
    // Distance 65,536 (code 31) and 65,538-byte matches, across the points
    // where the decoder writes its blocks and moves its window.
    Deflate64Writer w;
    w.stored(Noise(65535, 2)).stored("z").fixed(true);
    for (int i = 0; i < 6; ++i)
        w.match(65538, 65536).match(1000 + i, 49153 + i * 100);
    w.endOfBlock();
    return w;
}
Deflate64Writer Code285()
{
    Deflate64Writer w;
    w.fixed(true).literals("x").match(3, 1, true).match(258, 1, true).match(40000, 1).literals("y").endOfBlock();
    return w;
}

class ChoppedInput final : public InputBlocks {
public:
    ChoppedInput(std::string bytes, size_t block) : bytes_(std::move(bytes)), block_(block) {}
    std::span<const uint8_t> next() override
    {
        const size_t n = std::min(block_, bytes_.size() - at_);
        auto s = std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(bytes_.data()) + at_, n);
        at_ += n;
        return s;
    }

private:
    std::string bytes_;
    size_t block_;
    size_t at_ = 0;
};

class StringOutput final : public OutputBlocks {
public:
    DecodeStatus write(std::span<const uint8_t> block) override
    {
        if (block.empty() || block.size() > kBlockSize)
            return DecodeStatus::WriteFailed; // never asked of an output
        data.append(reinterpret_cast<const char*>(block.data()), block.size());
        return DecodeStatus::Success;
    }
    std::string data;
};

} // namespace

Q_DECLARE_METATYPE(std::string)

class tst_ZipMethods : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> tmp;

    // Extracts the entry and a stored one after it; returns the count.
    int Extract(const ZipBuilderEntry& entry, TUnZipper& z)
    {
        ZipBuilder b;
        b.entries.push_back(entry);
        ZipBuilderEntry after;
        after.name = "after.txt";
        after.data = "next entry";
        b.entries.push_back(after);
        WriteBytes(tmp->filePath("a.zip"), b.Build());
        z.SetZipName(S(tmp->filePath("a.zip")));
        z.LoadDirectory();
        z.DoAll = true;
        z.SetDestDir(S(tmp->filePath("out")));
        return z.ExtractFiles();
    }

    static void AddColumns()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<int>("flags");
        QTest::addColumn<std::string>("compressed");
        QTest::addColumn<std::string>("data");
    }

private slots:
    void init()
    {
        tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(tmp->isValid());
    }

    void extractsExactly_data()
    {
        AddColumns();
        const std::string text = Words(300000, 7);
        const std::string noise = Noise(70000, 8);
        QTest::newRow("bzip2") << 12 << 0 << Bzip2Of(text) << text;
        QTest::newRow("bzip2 empty") << 12 << 0 << Bzip2Of("") << std::string();
        QTest::newRow("LZMA, end mark") << 14 << 2 << LzmaOf(text) << text;
        std::string hugeDictionary = LzmaOf(noise);
        hugeDictionary.replace(5, 4, "\xFF\xFF\xFF\xFF"); // a 4 GiB dictionary in the properties
        QTest::newRow("LZMA, 4 GiB dictionary named") << 14 << 2 << hugeDictionary << noise;
        QTest::newRow("XZ") << 95 << 0 << XzOf(text) << text;
        QTest::newRow("XZ empty") << 95 << 0 << XzOf("") << std::string();
        QTest::newRow("Zstandard") << 93 << 0 << ZstdOf(text) << text;
        QTest::newRow("Zstandard, three frames") << 93 << 0 << ZstdOf(text + noise, 3) << text + noise;
        const Deflate64Writer streams[] = {BeyondWindow32k(), FullWindow64k(), Code285()};
        const char* names[] = {"Deflate64, distance code 30 past 32 KiB", "Deflate64, distance code 31 at 64 KiB",
                               "Deflate64, length code 285 with 16 extra bits"};
        for (int i = 0; i < 3; ++i)
            QTest::newRow(names[i]) << 9 << 0 << streams[i].bytes() << streams[i].decoded;
        QTest::newRow("Deflate64, empty stored block")
            << 9 << 0 << Deflate64Writer().stored("", true).bytes() << std::string();
    }
    void extractsExactly()
    {
        QFETCH(int, method);
        QFETCH(int, flags);
        QFETCH(std::string, compressed);
        QFETCH(std::string, data);
        ZipBuilderEntry e;
        e.name = "entry.bin";
        e.method = static_cast<uint16_t>(method);
        e.flags = static_cast<uint16_t>(flags);
        e.raw = compressed;
        e.data = data;
        TUnZipper z;
        QCOMPARE(Extract(e, z), 2);
        QCOMPARE(z.Report().Total(), 0u);
        QVERIFY(ReadBytes(tmp->filePath("out/entry.bin")) == data);
    }

    void damagedLeftOut_data()
    {
        AddColumns();
        QTest::addColumn<int>("declaredSize"); // -1: the size of data
        const std::string text = Words(200000, 9);
        const std::string bz = Bzip2Of(text);
        const std::string lz = LzmaOf(text);
        const std::string xz = XzOf(text);
        const std::string zs = ZstdOf(text);
        QTest::newRow("bzip2 byte changed") << 12 << 0 << Flipped(bz, bz.size() / 2) << text << -1;
        QTest::newRow("bzip2 cut short") << 12 << 0 << bz.substr(0, bz.size() / 2) << text << -1;
        QTest::newRow("bzip2 longer than its size") << 12 << 0 << bz << text << 100000;
        QTest::newRow("LZMA byte changed") << 14 << 2 << Flipped(lz, lz.size() / 2) << text << -1;
        QTest::newRow("LZMA cut short") << 14 << 2 << lz.substr(0, lz.size() / 2) << text << -1;
        QTest::newRow("LZMA header cut") << 14 << 2 << lz.substr(0, 6) << text << -1;
        QTest::newRow("LZMA properties size 4") << 14 << 2 << lz.substr(0, 2) + '\x04' + lz.substr(3) << text << -1;
        QTest::newRow("XZ byte changed") << 95 << 0 << Flipped(xz, xz.size() / 2) << text << -1;
        QTest::newRow("XZ cut short") << 95 << 0 << xz.substr(0, xz.size() - 10) << text << -1;
        QTest::newRow("Zstandard byte changed") << 93 << 0 << Flipped(zs, zs.size() / 2) << text << -1;
        QTest::newRow("Zstandard cut short") << 93 << 0 << zs.substr(0, zs.size() - 3) << text << -1;
        // Byte 5: window descriptor, exponent 20 = a 1 GiB window.
        QTest::newRow("Zstandard asks for a 1 GiB window")
            << 93 << 0 << zs.substr(0, 5) + '\xA0' + zs.substr(6) << text << -1;
        const Deflate64Writer good = BeyondWindow32k();
        const std::string d64 = good.bytes();
        QTest::newRow("Deflate64 cut short") << 9 << 0 << d64.substr(0, d64.size() - 2) << good.decoded << -1;
        QTest::newRow("Deflate64 longer than its size") << 9 << 0 << d64 << good.decoded << 40001;
        const std::string four = "abcd";
        QTest::newRow("Deflate64 distance before the start")
            << 9 << 0 << Deflate64Writer().fixed(true).literals("ab").match(5, 3).endOfBlock().bytes() << four << -1;
        QTest::newRow("Deflate64 length code 286")
            << 9 << 0 << Deflate64Writer().fixed(true).literals("ab").symbol(286).endOfBlock().bytes() << four << -1;
        QTest::newRow("Deflate64 block type 3")
            << 9 << 0 << Deflate64Writer().bits(7, 3).bits(0, 13).bytes() << four << -1;
        QTest::newRow("Deflate64 stored length check")
            << 9 << 0 << Deflate64Writer().bits(1, 3).bits(0, 5).bits(4, 16).bits(4, 16).bits(0x64636261, 32).bytes()
            << four << -1;
        // Dynamic block, 19 code-length codes of 1 bit each: over-subscribed.
        Deflate64Writer oversubscribed;
        oversubscribed.bits(5, 3).bits(0, 10).bits(15, 4);
        for (int i = 0; i < 19; ++i)
            oversubscribed.bits(1, 3);
        QTest::newRow("Deflate64 over-subscribed code") << 9 << 0 << oversubscribed.bits(0, 16).bytes() << four << -1;
        QTest::newRow("Deflate64 repeat with nothing before") << 9 << 0
                                                              << Deflate64Writer()
                                                                     .bits(5, 3)
                                                                     .bits(0, 10)
                                                                     .bits(0, 4)
                                                                     .bits(1, 3)
                                                                     .bits(1, 3)
                                                                     .bits(0, 3)
                                                                     .bits(0, 3)
                                                                     .bits(0, 4)
                                                                     .bytes()
                                                              << four << -1;
    }
    void damagedLeftOut()
    {
        QFETCH(int, method);
        QFETCH(int, flags);
        QFETCH(std::string, compressed);
        QFETCH(std::string, data);
        QFETCH(int, declaredSize);
        ZipBuilderEntry e;
        e.name = "entry.bin";
        e.method = static_cast<uint16_t>(method);
        e.flags = static_cast<uint16_t>(flags);
        e.raw = compressed;
        e.data = data;
        if (declaredSize >= 0)
            e.uncompressedSize = static_cast<uint32_t>(declaredSize);
        TUnZipper z;
        QCOMPARE(Extract(e, z), 1);
        QCOMPARE(Names(tmp->filePath("out")), QStringList{"after.txt"});
        // Left out for its data: neither encrypted, nor unknown, nor uncreated.
        QCOMPARE(z.Report().Total(), 1u);
        QCOMPARE(z.Report().encrypted + z.Report().methodNotDecoded + z.Report().notCreated, 0u);
    }

    // The decoder itself, fed in blocks of any size: same bytes, and a
    // stream cut anywhere in its last bytes is bad data.
    void deflate64InputBlocks_data()
    {
        QTest::addColumn<int>("blockSize");
        QTest::newRow("1 byte") << 1;
        QTest::newRow("7 bytes") << 7;
        QTest::newRow("4,093 bytes") << 4093;
        QTest::newRow("32 KiB") << int(kBlockSize);
    }
    void deflate64InputBlocks()
    {
        QFETCH(int, blockSize);
        for (const Deflate64Writer& w : {BeyondWindow32k(), FullWindow64k(), Code285()}) {
            ChoppedInput in(w.bytes(), static_cast<size_t>(blockSize));
            StringOutput out;
            QCOMPARE(Inflate64(in, out, w.decoded.size()), DecodeStatus::Success);
            QVERIFY(out.data == w.decoded);
            for (size_t cut : {size_t{1}, size_t{5}, size_t{9}}) {
                ChoppedInput shortIn(w.bytes().substr(0, w.bytes().size() - cut), static_cast<size_t>(blockSize));
                StringOutput shortOut;
                QCOMPARE(Inflate64(shortIn, shortOut, w.decoded.size()), DecodeStatus::BadData);
                QVERIFY(shortOut.data.size() < w.decoded.size());
            }
        }
    }
};

QTEST_GUILESS_MAIN(tst_ZipMethods)
#include "tst_ZipMethods.moc"
