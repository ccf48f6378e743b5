// The Shrink, Reduce and Implode decoders against the real PKZIP archives of
// the shared test data: every legacy entry must decode to the sha256 listed
// in EXPECTED.txt, whatever the input block sizes, and the size, truncation
// and block rules must hold on real data.
#include "ExpectedListing.h"
#include "LegacyDecode.h"
#include "LocalHeaderWalker.h"
#include "MemoryInput.h"
#include "MemoryOutput.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QtTest>

#include "support/SharedTestData.h"

#include <map>

using namespace zelvora::zip;

namespace {

QString zipDataDir()
{
    return QStringLiteral(ZELVORA_SHARED_TESTDATA "/zip");
}

int methodNumber(const QString& name)
{
    if (name == QLatin1String("shrunk"))
        return 1;
    if (name.startsWith(QLatin1String("reduced")))
        return 1 + name.mid(7).toInt();
    if (name == QLatin1String("imploded"))
        return 6;
    return -1;
}

QString sha256(const std::vector<uint8_t>& bytes)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(QByteArrayView(bytes.data(), qsizetype(bytes.size())), QCryptographicHash::Sha256)
            .toHex());
}

struct LoadedArchive {
    std::vector<uint8_t> bytes;
    std::vector<LocalEntry> entries;
};

// Archives read once per run; keyed by their path under the data folder.
const LoadedArchive& loadArchive(const QString& relative)
{
    static std::map<QString, LoadedArchive> cache;
    auto it = cache.find(relative);
    if (it != cache.end())
        return it->second;
    LoadedArchive archive;
    QFile file(zipDataDir() + QLatin1Char('/') + relative);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray all = file.readAll();
        archive.bytes.assign(all.begin(), all.end());
        archive.entries = LocalHeaderWalker::walk(archive.bytes);
    }
    return cache.emplace(relative, std::move(archive)).first->second;
}

const LocalEntry* findLocal(const LoadedArchive& archive, const ExpectedEntry& expected)
{
    for (const LocalEntry& e : archive.entries)
        if (QString::fromLatin1(e.name.c_str()) == expected.name && e.compressedSize == expected.compressedSize)
            return &e;
    return nullptr;
}

std::span<const uint8_t> dataOf(const LoadedArchive& archive, const LocalEntry& e)
{
    return std::span<const uint8_t>(archive.bytes).subspan(e.dataOffset, e.compressedSize);
}

// One entry of each legacy method (and flag combination) to put through the
// slower checks: the smallest of its kind above 10,000 bytes.
struct Sample {
    QString archive;
    ExpectedEntry entry;
};

std::vector<Sample> samplesPerKind()
{
    std::map<QString, Sample> byKind;
    for (const ExpectedArchive& a : ExpectedListing::read(zipDataDir() + QStringLiteral("/EXPECTED.txt")))
        for (const ExpectedEntry& e : a.entries) {
            if (methodNumber(e.method) < 0 || e.uncompressedSize < 10000)
                continue;
            const QString kind = e.method + QString::number(e.flags);
            auto it = byKind.find(kind);
            if (it == byKind.end() || e.uncompressedSize < it->second.entry.uncompressedSize)
                byKind[kind] = Sample{a.path, e};
        }
    std::vector<Sample> samples;
    for (auto& [kind, sample] : byKind)
        samples.push_back(sample);
    return samples;
}

} // namespace

class TestLegacyArchives : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ZELVORA_NEED_SHARED_TESTDATA(zipDataDir() + QStringLiteral("/EXPECTED.txt"),
                                     "the real-archive tests of the legacy decoders are not run");
    }

    void decodesEveryLegacyEntry_data()
    {
        QTest::addColumn<QString>("archive");
        int legacyEntries = 0;
        for (const ExpectedArchive& a : ExpectedListing::read(zipDataDir() + QStringLiteral("/EXPECTED.txt"))) {
            QTest::newRow(qPrintable(a.path)) << a.path;
            for (const ExpectedEntry& e : a.entries)
                legacyEntries += methodNumber(e.method) > 0;
        }
        // Shrink (15), Reduce (4 x 7) and Implode (144) entries of the listing.
        QCOMPARE(legacyEntries, 187);
    }

    void decodesEveryLegacyEntry()
    {
        QFETCH(QString, archive);
        const LoadedArchive& loaded = loadArchive(archive);
        QVERIFY2(!loaded.entries.empty(), qPrintable(archive));
        QVector<ExpectedArchive> listing = ExpectedListing::read(zipDataDir() + QStringLiteral("/EXPECTED.txt"));
        for (const ExpectedArchive& a : listing) {
            if (a.path != archive)
                continue;
            for (const ExpectedEntry& e : a.entries) {
                const int method = methodNumber(e.method);
                if (method < 0)
                    continue;
                const LocalEntry* local = findLocal(loaded, e);
                QVERIFY2(local, qPrintable(e.name));
                QCOMPARE(local->method, method);
                QCOMPARE(local->uncompressedSize, e.uncompressedSize);
                MemoryInput in(dataOf(loaded, *local));
                MemoryOutput out(local->uncompressedSize);
                QCOMPARE(decodeLegacy(method, local->flags, in, out, local->uncompressedSize), DecodeStatus::Success);
                QVERIFY2(sha256(out.bytes()) == e.sha256, qPrintable(archive + QLatin1Char(' ') + e.name));
                // Full blocks only, but for the last one.
                const auto& sizes = out.blockSizes();
                for (size_t i = 0; i + 1 < sizes.size(); ++i)
                    QCOMPARE(sizes[i], kBlockSize);
                QVERIFY(!out.oversizedBlock());
            }
        }
    }

    void decodesAcrossOddInputBlocks_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("blockSize");
        for (const Sample& s : samplesPerKind())
            for (int blockSize : {1, 3, 4093})
                QTest::addRow("%s %s, %d-byte blocks", qPrintable(s.entry.method), qPrintable(s.entry.name), blockSize)
                    << s.archive << s.entry.name << blockSize;
    }

    void decodesAcrossOddInputBlocks()
    {
        QFETCH(QString, archive);
        QFETCH(QString, entry);
        QFETCH(int, blockSize);
        const LoadedArchive& loaded = loadArchive(archive);
        for (const Sample& s : samplesPerKind()) {
            if (s.archive != archive || s.entry.name != entry)
                continue;
            const LocalEntry* local = findLocal(loaded, s.entry);
            QVERIFY(local);
            const auto data = dataOf(loaded, *local);
            MemoryInput in(data, data.size(), size_t(blockSize));
            MemoryOutput out(local->uncompressedSize);
            decodeLegacy(local->method, local->flags, in, out, local->uncompressedSize);
            QCOMPARE(sha256(out.bytes()), s.entry.sha256);
            QVERIFY(in.delivered() <= data.size());
        }
    }

    // A decoder stops at the uncompressed size it is given, exactly, with the
    // bytes the full entry starts with; the size guard is never hit.
    void stopsAtTheUncompressedSize_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<qulonglong>("limit");
        for (const Sample& s : samplesPerKind()) {
            const quint64 size = s.entry.uncompressedSize;
            for (quint64 limit : {quint64(1), quint64(kBlockSize), size / 2, size - 1})
                if (limit < size)
                    QTest::addRow("%s %s, %llu bytes", qPrintable(s.entry.method), qPrintable(s.entry.name), limit)
                        << s.archive << s.entry.name << qulonglong(limit);
        }
    }

    void stopsAtTheUncompressedSize()
    {
        QFETCH(QString, archive);
        QFETCH(QString, entry);
        QFETCH(qulonglong, limit);
        const LoadedArchive& loaded = loadArchive(archive);
        for (const Sample& s : samplesPerKind()) {
            if (s.archive != archive || s.entry.name != entry)
                continue;
            const LocalEntry* local = findLocal(loaded, s.entry);
            QVERIFY(local);
            MemoryInput fullIn(dataOf(loaded, *local));
            MemoryOutput full(local->uncompressedSize);
            decodeLegacy(local->method, local->flags, fullIn, full, local->uncompressedSize);

            MemoryInput in(dataOf(loaded, *local));
            MemoryOutput out(limit);
            decodeLegacy(local->method, local->flags, in, out, limit);
            QCOMPARE(out.bytes().size(), size_t(limit));
            QVERIFY(std::equal(out.bytes().begin(), out.bytes().end(), full.bytes().begin()));
        }
    }

    // The archive ends inside the entry: the short block is not handed out,
    // the decoder stops on its missing data and the input says why.
    void truncatedArchiveRaisesPrematureEnd_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("entry");
        for (const Sample& s : samplesPerKind())
            QTest::addRow("%s %s", qPrintable(s.entry.method), qPrintable(s.entry.name)) << s.archive << s.entry.name;
    }

    void truncatedArchiveRaisesPrematureEnd()
    {
        QFETCH(QString, archive);
        QFETCH(QString, entry);
        const LoadedArchive& loaded = loadArchive(archive);
        for (const Sample& s : samplesPerKind()) {
            if (s.archive != archive || s.entry.name != entry)
                continue;
            const LocalEntry* local = findLocal(loaded, s.entry);
            QVERIFY(local);
            const auto data = dataOf(loaded, *local);
            MemoryInput in(data.first(data.size() / 2), data.size(), 1000);
            MemoryOutput out(local->uncompressedSize);
            QCOMPARE(decodeLegacy(local->method, local->flags, in, out, local->uncompressedSize),
                     DecodeStatus::BadData);
            QCOMPARE(in.status(), DecodeStatus::TruncatedInput);
            QVERIFY(out.bytes().size() < local->uncompressedSize);
        }
    }

    // A compressed size smaller than the data: the decoder runs out of bits,
    // ends quietly with what it has (the CRC check then rejects the file), and
    // never asks for bytes beyond that size.
    void shortCompressedSizeEndsQuietly_data() { truncatedArchiveRaisesPrematureEnd_data(); }

    void shortCompressedSizeEndsQuietly()
    {
        QFETCH(QString, archive);
        QFETCH(QString, entry);
        const LoadedArchive& loaded = loadArchive(archive);
        for (const Sample& s : samplesPerKind()) {
            if (s.archive != archive || s.entry.name != entry)
                continue;
            const LocalEntry* local = findLocal(loaded, s.entry);
            QVERIFY(local);
            const auto data = dataOf(loaded, *local);
            const size_t cut = data.size() / 3;
            MemoryInput in(data, cut);
            MemoryOutput out(local->uncompressedSize);
            QCOMPARE(decodeLegacy(local->method, local->flags, in, out, local->uncompressedSize),
                     DecodeStatus::BadData);
            QCOMPARE(in.delivered(), quint64(cut));
            QVERIFY(out.bytes().size() > 0);
            QVERIFY(out.bytes().size() < local->uncompressedSize);
        }
    }
};

QTEST_GUILESS_MAIN(TestLegacyArchives)
#include "tst_LegacyArchives.moc"
