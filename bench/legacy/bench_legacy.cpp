// Tests an archive the way "unzip -t" does, for the legacy methods only:
// reads it, decodes every Shrink, Reduce and Implode entry and checks its
// CRC-32, writing nothing. Prints per method the bytes decoded and the time.
//
//   bench_legacy ARCHIVE [REPEAT]
// Exit status 1 when an entry fails its CRC.
#include "LocalHeaderWalker.h"
#include "zip/Explode.h"
#include "zip/Unreduce.h"
#include "zip/Unshrink.h"

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

class SpanInput : public zelvora::zip::InputBlocks {
public:
    explicit SpanInput(std::span<const uint8_t> data) : data_(data) {}
    std::span<const uint8_t> next() override
    {
        const size_t n = std::min(zelvora::zip::kBlockSize, data_.size() - at_);
        const auto block = data_.subspan(at_, n);
        at_ += n;
        return block;
    }

private:
    std::span<const uint8_t> data_;
    size_t at_ = 0;
};

class CrcOutput : public zelvora::zip::OutputBlocks {
public:
    zelvora::zip::DecodeStatus write(std::span<const uint8_t> block) override
    {
        crc = static_cast<uint32_t>(crc32(crc, block.data(), static_cast<uInt>(block.size())));
        size += block.size();
        return zelvora::zip::DecodeStatus::Success;
    }
    uint32_t crc = 0;
    uint64_t size = 0;
};

const char* methodName(int method)
{
    return method == 1 ? "Shrink" : method == 6 ? "Implode" : "Reduce";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_legacy ARCHIVE [REPEAT]\n");
        return 2;
    }
    const int repeat = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    std::ifstream file(argv[1], std::ios::binary | std::ios::ate);
    std::vector<uint8_t> archive(static_cast<size_t>(std::max<std::streamoff>(0, file.tellg())));
    file.seekg(0);
    file.read(reinterpret_cast<char*>(archive.data()), static_cast<std::streamsize>(archive.size()));
    const auto entries = LocalHeaderWalker::walk(archive);

    struct Totals {
        int entries = 0;
        uint64_t bytes = 0;
        double seconds = 0;
    };
    std::map<std::string, Totals> totals;
    int failures = 0;
    for (int r = 0; r < repeat; ++r) {
        for (const LocalEntry& e : entries) {
            if (e.method < 1 || e.method > 6)
                continue;
            SpanInput in(std::span<const uint8_t>(archive).subspan(e.dataOffset, e.compressedSize));
            CrcOutput out;
            const auto start = std::chrono::steady_clock::now();
            try {
                if (e.method == 1)
                    zelvora::zip::Unshrink(in, out, e.uncompressedSize);
                else if (e.method == 6)
                    zelvora::zip::Explode(in, out, e.uncompressedSize, e.flags);
                else
                    zelvora::zip::Unreduce(in, out, e.uncompressedSize, e.method - 1);
            } catch (const std::exception&) {
            }
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (out.crc != e.crc || out.size != e.uncompressedSize) {
                if (r == 0)
                    std::fprintf(stderr, "%s: CRC error\n", e.name.c_str());
                ++failures;
            }
            Totals& t = totals[methodName(e.method)];
            t.entries += r == 0;
            t.bytes += e.uncompressedSize;
            t.seconds += seconds;
        }
    }
    for (const auto& [name, t] : totals)
        std::printf("%-8s %4d entries %10.3f MB in %8.1f ms  %7.1f MB/s\n", name.c_str(), t.entries,
                    t.bytes / 1e6 / repeat, t.seconds * 1e3 / repeat, t.bytes / 1e6 / t.seconds);
    return failures == 0 ? 0 : 1;
}
