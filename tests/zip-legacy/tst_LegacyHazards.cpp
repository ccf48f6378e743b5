// The Shrink, Reduce and Implode decoders on small hand-made streams: the
// format rules one at a time, files of 0 to 2 bytes, and hostile data (codes
// and trees that do not decode, references before the start, output past
// the uncompressed size, data that end early), which must end the entry
// quietly with what was decoded so far.
#include "BitWriter.h"
#include "LegacyDecode.h"
#include "LegacyStreams.h"
#include "MemoryInput.h"
#include "MemoryOutput.h"
#include "zip/ShannonFanoTree.h"

#include <QtTest>

#include <cstring>

using namespace zelvora::zip;

namespace {

QByteArray toBytes(const std::vector<uint8_t>& v)
{
    return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

std::vector<uint8_t> fromBytes(const QByteArray& b)
{
    return std::vector<uint8_t>(b.begin(), b.end());
}

std::vector<uint8_t> text(const char* s)
{
    return std::vector<uint8_t>(s, s + std::strlen(s));
}

// Literal bytes that avoid Reduce's DLE (144).
std::vector<uint8_t> pattern(size_t n)
{
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = static_cast<uint8_t>((i * 7 + i / 128) % 128);
    return v;
}

// What a back reference appends, by the format's definition (zeros before
// the start).
void appendCopy(std::vector<uint8_t>& out, size_t distance, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        out.push_back(out.size() >= distance ? out[out.size() - distance] : 0);
}

QByteArray decode(int method, uint16_t flags, const QByteArray& input, quint64 size)
{
    const std::vector<uint8_t> data = fromBytes(input);
    MemoryInput in(data);
    MemoryOutput out(size);
    decodeLegacy(method, flags, in, out, size);
    return toBytes(out.bytes());
}

} // namespace

class TestLegacyHazards : public QObject {
    Q_OBJECT

private slots:
    void unshrink_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<qulonglong>("size");
        QTest::addColumn<QByteArray>("expected");
        auto row = [](const char* name, const ShrinkCodes& codes, quint64 size, const QByteArray& expected) {
            QTest::newRow(name) << toBytes(codes.bytes()) << qulonglong(size) << expected;
        };
        row("one byte", ShrinkCodes().code('A'), 1, "A");
        row("two bytes", ShrinkCodes().codes({'A', 'B'}), 2, "AB");
        row("code being defined", ShrinkCodes().codes({'A', 257}), 3, "AAA");
        row("strings build on strings", ShrinkCodes().codes({'A', 'B', 257, 259}), 7, "ABABABA");
        row("widening to 10 bits", ShrinkCodes().code('A').widen().codes({'B', 257}), 4, "ABAB");
        row("widening to 13 bits", ShrinkCodes().code('A').widen().widen().widen().widen().codes({'B', 257}), 4,
            "ABAB");
        // After the clear, the string still owed ("B" + next first byte)
        // takes the lowest free code, 257, which the next code uses at once.
        row("partial clear reuses the lowest code", ShrinkCodes().codes({'A', 'B'}).partialClear().code(257), 4,
            "ABBB");
        // Before the clear: 257 "AB", 258 "BA", 259 "ABC", 260 "CA". Only 257
        // is a parent and stays; 259 is freed with the other leaves.
        row("partial clear keeps parents", ShrinkCodes().codes({'A', 'B', 257, 'C', 259}).partialClear().code(257), 10,
            "ABABCABCAB");
        row("partial clear frees leaves",
            ShrinkCodes().codes({'A', 'B', 257, 'C', 259}).partialClear().codes({'A', 259}), 11, "ABABCABCAAA");
        // The string owed after the clear is "ABC" (freed) + "A" in 258; once
        // 259 is "ABC" again, 258 spells "ABCA".
        row("string whose prefix was freed follows the new prefix",
            ShrinkCodes().codes({'A', 'B', 257, 'C', 259}).partialClear().codes({257, 'C', 258}), 20,
            "ABABCABCABCABCA");
        // Same, with the freed prefix 259 ("ABC") given to the shorter "DE".
        row("string whose prefix was freed takes the new prefix's length",
            ShrinkCodes().codes({'A', 'B', 257, 'C', 259}).partialClear().codes({'D', 'E', 258}), 20, "ABABCABCDEDED");
        // 7,936 codes fill the table (each adds "AA"); the clear frees them
        // all, and the string owed for the last 'A' still takes code 257.
        // (unzip and 7zz read such a stream the same way.)
        ShrinkCodes full;
        for (int i = 0; i < 7936; ++i)
            full.code('A');
        full.partialClear().codes({'B', 257});
        row("partial clear of a full table", full, 8000, QByteArray(7936, 'A') + "BAB");
        row("output stops at the size", ShrinkCodes().codes({'A', 'B', 'C'}), 2, "AB");
        row("string cut at the size", ShrinkCodes().codes({'A', 257}), 2, "AA");
        row("no data", ShrinkCodes(), 10, "");
        row("code never defined", ShrinkCodes().codes({'A', 300, 'B'}), 3, "A");
        row("first code not a byte", ShrinkCodes().codes({257, 'B'}), 3, "");
        row("escape then 3", ShrinkCodes().codes({'A', 256, 3, 'B'}), 2, "A");
        row("widening past 13 bits", ShrinkCodes().widen().widen().widen().widen().code(256).code(1).code('A'), 1, "");
        // The previous code, freed by the clear, is handed out again as the
        // code owed for itself: a string defined by itself.
        row("string defined by itself", ShrinkCodes().codes({'A', 'B', 257}).partialClear().code(257), 10, "ABAB");
    }

    void unshrink()
    {
        QFETCH(QByteArray, input);
        QFETCH(qulonglong, size);
        QFETCH(QByteArray, expected);
        QCOMPARE(decode(1, 0, input, size), expected);
    }

    void unreduce_data()
    {
        QTest::addColumn<int>("factor");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<qulonglong>("size");
        QTest::addColumn<QByteArray>("expected");
        const ReduceStream plain;
        auto row = [](const char* name, int factor, const std::vector<uint8_t>& input, quint64 size,
                      const std::vector<uint8_t>& expected) {
            QTest::newRow(name) << factor << toBytes(input) << qulonglong(size) << toBytes(expected);
        };
        row("one byte", 1, plain.encode({'A'}), 1, {'A'});
        row("two bytes", 4, plain.encode({'A', 'B'}), 2, {'A', 'B'});
        row("DLE 0 is 144", 2, plain.encode({144, 0, 'x'}), 2, {144, 'x'});
        row("copy of 4 from 3 back", 1, plain.encode({'A', 'B', 'C', 144, 1, 2}), 7, text("ABCABCA"));
        row("reference before the start reads zeros", 3, plain.encode({144, 1, 9, 'Z'}), 5, {0, 0, 0, 0, 'Z'});
        // Factor 4: low 4 bits all ones, so one more byte adds to the length.
        row("length with an extra byte", 4, plain.encode({'A', 144, 0x0F, 10, 0}), 29, std::vector<uint8_t>(29, 'A'));

        const ReduceStream sets = ReduceStream()
                                      .followers(0, {'A'})
                                      .followers('A', {'B', 'C', 'D'})
                                      .followers('B', std::vector<uint8_t>(32, 'x'))
                                      .followers('D', {'B', 'A'});
        row("follower sets of 1, 2, 3 and 32 bytes", 1, sets.encode(text("ABxADBAC!")), 9, text("ABxADBAC!"));
        row("output stops at the size", 1, plain.encode({'A', 'B', 'C'}), 2, {'A', 'B'});
        row("reference cut at the size", 1, plain.encode({'A', 144, 1, 0}), 3, {'A', 'A', 'A'});
        row("no data", 1, {}, 10, {});

        BitWriter tooLarge;
        tooLarge.bits(33, 6);
        for (int i = 0; i < 40; ++i)
            tooLarge.byte('A');
        row("follower set of 33 bytes", 1, tooLarge.bytes(), 10, {});
        row("data end inside the follower sets", 1, std::vector<uint8_t>(10, 0), 10, {});

        // S(0) has 3 bytes (2-bit index); index 3 names none of them.
        std::vector<uint8_t> badIndex = ReduceStream().followers(0, {'A', 'B', 'C'}).encode({});
        BitWriter tail;
        for (uint8_t b : badIndex)
            tail.byte(b);
        tail.bits(0, 1).bits(3, 2);
        row("index past the follower set", 1, tail.bytes(), 10, {});
    }

    void unreduce()
    {
        QFETCH(int, factor);
        QFETCH(QByteArray, input);
        QFETCH(qulonglong, size);
        QFETCH(QByteArray, expected);
        QCOMPARE(decode(1 + factor, 0, input, size), expected);
    }

    // Distance and length formulas of each factor, at their largest values.
    void unreduceFactors_data()
    {
        QTest::addColumn<int>("factor");
        for (int f = 1; f <= 4; ++f)
            QTest::addRow("factor %d", f) << f;
    }

    void unreduceFactors()
    {
        QFETCH(int, factor);
        const unsigned lengthBits = 8 - unsigned(factor);
        const uint8_t upper = static_cast<uint8_t>(((1u << factor) - 1) << lengthBits);
        std::vector<uint8_t> intermediate = pattern(5000);
        std::vector<uint8_t> expected = intermediate;
        // Largest distance ((2^factor - 1) * 256 + 255 + 1) with length 3 + 2.
        intermediate.insert(intermediate.end(), {144, static_cast<uint8_t>(upper | 2), 255});
        appendCopy(expected, size_t((1u << factor) - 1) * 256 + 256, 5);
        // Longest length: all-ones low bits plus 255, plus 3; distance 1.
        intermediate.insert(intermediate.end(), {144, static_cast<uint8_t>((1u << lengthBits) - 1), 255, 0});
        appendCopy(expected, 1, ((1u << lengthBits) - 1) + 255 + 3);
        const QByteArray input = toBytes(ReduceStream().encode(intermediate));
        QCOMPARE(decode(1 + factor, 0, input, expected.size()), toBytes(expected));
    }

    void explode_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<qulonglong>("size");
        QTest::addColumn<QByteArray>("expected");
        auto row = [](const char* name, int flags, const std::vector<uint8_t>& input, quint64 size,
                      const std::vector<uint8_t>& expected) {
            QTest::newRow(name) << flags << toBytes(input) << qulonglong(size) << toBytes(expected);
        };
        for (int flags : {0, 2, 4, 6}) {
            const QByteArray tag = "flags " + QByteArray::number(flags) + ": ";
            QTest::newRow(tag + "one byte")
                << flags << toBytes(ImplodeStream(flags).literal('A').bytes()) << qulonglong(1) << QByteArray("A");
            QTest::newRow(tag + "two bytes") << flags << toBytes(ImplodeStream(flags).literals(text("AB")).bytes())
                                             << qulonglong(2) << QByteArray("AB");
            ImplodeStream s(flags);
            const unsigned m = s.minimumMatch();
            s.literals(text("AB")).match(2, m);
            std::vector<uint8_t> expected = text("AB");
            appendCopy(expected, 2, m);
            QTest::newRow(tag + "shortest match")
                << flags << toBytes(s.bytes()) << qulonglong(expected.size()) << toBytes(expected);
            ImplodeStream longest(flags);
            longest.literal('x').match(1, m + 63 + 255);
            QTest::newRow(tag + "longest match")
                << flags << toBytes(longest.bytes()) << qulonglong(m + 64 + 255) << QByteArray(int(m + 64 + 255), 'x');
            ImplodeStream before(flags);
            before.match(100, 5).literal('Z');
            QTest::newRow(tag + "match before the start reads zeros")
                << flags << toBytes(before.bytes()) << qulonglong(6) << QByteArray("\0\0\0\0\0Z", 6);
        }
        row("other flag bits are ignored", 0xFFF9, ImplodeStream(0).literals(text("AB")).match(2, 2).bytes(), 4,
            text("ABAB"));
        row("output stops at the size", 0, ImplodeStream(0).literals(text("ABC")).bytes(), 2, text("AB"));
        row("match cut at the size", 6, ImplodeStream(6).literal('A').match(1, 10).bytes(), 4, text("AAAA"));
        row("no data", 6, {}, 10, {});
        row("data end inside the trees", 6, std::vector<uint8_t>{15, 0xF7, 0xF7}, 10, {});
        row("data end inside a match", 0, ImplodeStream(0).literal('A').raw().bits(0, 1).bits(5, 6).bytes(), 10,
            text("A"));

        // Tree descriptions that cannot be right.
        auto trees = [](std::initializer_list<uint8_t> lengthTree) {
            BitWriter w;
            for (uint8_t b : lengthTree)
                w.byte(b);
            w.byte(3);
            for (int i = 0; i < 4; ++i)
                w.byte(0xF5);
            w.bits(1, 1).byte('A');
            return w.bytes();
        };
        row("tree of 63 values", 0, trees({3, 0xF5, 0xF5, 0xF5, 0xE5}), 1, {});
        row("tree of 65 values", 0, trees({4, 0xF5, 0xF5, 0xF5, 0xF5, 0x05}), 1, {});
        row("codes that collide", 0, trees({3, 0xF0, 0xF0, 0xF0, 0xF0}), 1, {});
        row("codes of 16 bits fit", 0, trees({3, 0xFF, 0xFF, 0xFF, 0xFF}), 1, text("A"));
        // 64 codes of 7 bits fill half the code space: a pattern from the
        // other half is no code.
        BitWriter incomplete;
        incomplete.byte(3);
        for (int i = 0; i < 4; ++i)
            incomplete.byte(0xF6);
        incomplete.byte(3);
        for (int i = 0; i < 4; ++i)
            incomplete.byte(0xF5);
        incomplete.bits(1, 1).byte('A').bits(1, 1).byte('B');
        incomplete.bits(0, 1).bits(0, 6).msbFirst(0x3F, 6).msbFirst(0x7F, 7);
        row("bits that are no code", 0, incomplete.bytes(), 10, text("AB"));
    }

    void explode()
    {
        QFETCH(int, flags);
        QFETCH(QByteArray, input);
        QFETCH(qulonglong, size);
        QFETCH(QByteArray, expected);
        QCOMPARE(decode(6, static_cast<uint16_t>(flags), input, size), expected);
    }

    // The dictionary size decides how many low distance bits are read: with
    // the 8 KiB dictionary a match reaches 8,192 bytes back.
    void explodeFarthestDistance_data()
    {
        QTest::addColumn<int>("flags");
        for (int flags : {0, 2, 4, 6})
            QTest::addRow("flags %d", flags) << flags;
    }

    void explodeFarthestDistance()
    {
        QFETCH(int, flags);
        const uint32_t farthest = (flags & 2) ? 8192 : 4096;
        ImplodeStream s(static_cast<uint16_t>(flags));
        std::vector<uint8_t> expected = pattern(10000);
        s.literals(expected).match(farthest, 20).match(farthest - 1, 20);
        appendCopy(expected, farthest, 20);
        appendCopy(expected, farthest - 1, 20);
        QCOMPARE(decode(6, static_cast<uint16_t>(flags), toBytes(s.bytes()), expected.size()), toBytes(expected));
    }

    // Decoded bytes leave in full 32,768-byte blocks, the last one partial.
    void outputBlocks_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<qulonglong>("size");
        ShrinkCodes shrink;
        shrink.code('s');
        for (uint32_t next = 257; next < 512; ++next) // each the code being defined: 2 to 256 's'
            shrink.code(next);
        QTest::newRow("Shrink") << 1 << toBytes(shrink.bytes()) << qulonglong(256 * 257 / 2);
        std::vector<uint8_t> reduce{'r'};
        for (int i = 0; i < 400; ++i)
            reduce.insert(reduce.end(), {144, 0x7F, 255, 0});
        QTest::newRow("Reduce") << 2 << toBytes(ReduceStream().encode(reduce)) << qulonglong(1 + 400 * 385);
        ImplodeStream implode(6);
        implode.literal('i');
        for (int i = 0; i < 400; ++i)
            implode.match(1, 321);
        QTest::newRow("Implode") << 6 << toBytes(implode.bytes()) << qulonglong(1 + 400 * 321);
    }

    void outputBlocks()
    {
        QFETCH(int, method);
        QFETCH(QByteArray, input);
        QFETCH(qulonglong, size);
        const std::vector<uint8_t> data = fromBytes(input);
        MemoryInput in(data);
        MemoryOutput out(size);
        decodeLegacy(method, method == 6 ? 6 : 0, in, out, size);
        QCOMPARE(out.bytes().size(), size_t(size));
        std::vector<size_t> expected(size / kBlockSize, kBlockSize);
        expected.push_back(size % kBlockSize);
        QCOMPARE(out.blockSizes(), expected);
    }

    // Size 0 reads nothing and writes nothing, for every method.
    void zeroSizeReadsNothing_data()
    {
        QTest::addColumn<int>("method");
        for (int method = 1; method <= 6; ++method)
            QTest::addRow("method %d", method) << method;
    }

    void zeroSizeReadsNothing()
    {
        QFETCH(int, method);
        const std::vector<uint8_t> data(100, 0x55);
        MemoryInput in(data);
        MemoryOutput out(0);
        decodeLegacy(method, 6, in, out, 0);
        QCOMPARE(in.calls(), 0);
        QVERIFY(out.blockSizes().empty());
    }

    // The archive ends inside the entry: the decoder stops on the missing
    // data, whatever the method, and the input tells why.
    void prematureEndLeavesTheDecoder_data() { zeroSizeReadsNothing_data(); }

    void prematureEndLeavesTheDecoder()
    {
        QFETCH(int, method);
        // Valid data as far as they go: zeros decode as Shrink and Reduce
        // data; Implode needs its trees first.
        std::vector<uint8_t> data(40, 0x00);
        if (method == 6)
            data = ImplodeStream(6).literals(pattern(100)).bytes();
        data.resize(40);
        MemoryInput in(data, 100000, 16);
        MemoryOutput out(1000000);
        QCOMPARE(decodeLegacy(method, 6, in, out, 1000000), DecodeStatus::BadData);
        QCOMPARE(in.status(), DecodeStatus::TruncatedInput);
    }

    // The example tree of the format description: lengths 3,3,3,3,3,2,4,4
    // stored as 0x02 0x42 0x01 0x13, with the codes the description lists.
    void shannonFanoExample()
    {
        const std::array<uint32_t, 8> codes{0b101, 0b100, 0b011, 0b010, 0b001, 0b11, 0b0001, 0b0000};
        const std::array<unsigned, 8> lengths{3, 3, 3, 3, 3, 2, 4, 4};
        BitWriter w;
        w.byte(0x02).byte(0x42).byte(0x01).byte(0x13);
        for (int v : {7, 0, 5, 6, 1, 2, 3, 4, 5})
            w.msbFirst(codes[size_t(v)], lengths[size_t(v)]);
        const std::vector<uint8_t> data = w.bytes();
        MemoryInput in(data);
        LsbBitReader bits(in);
        ShannonFanoTree tree;
        QVERIFY(tree.read(bits, 8));
        for (int v : {7, 0, 5, 6, 1, 2, 3, 4, 5})
            QCOMPARE(tree.decode(bits), v);
    }
};

QTEST_GUILESS_MAIN(TestLegacyHazards)
#include "tst_LegacyHazards.moc"
