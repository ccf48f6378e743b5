#include "zip/Bzip2Decoder.h"

#include "zip/BlockGatherer.h"

#include <bzlib.h>

// Format notes (bzip2, method 12): the entry's data are one whole bzip2
// stream ("BZh", block size digit, blocks, end-of-stream mark with the
// combined CRC), as the bzip2 program writes it. libbz2 checks each block's
// CRC itself. Its memory is bounded by the largest block size (900 kB), so no
// header can make it ask for more.

namespace zelvora::zip {

namespace {

class Bz2Stream {
public:
    Bz2Stream() { init_ = BZ2_bzDecompressInit(&s, 0, 0); }
    ~Bz2Stream()
    {
        if (init_ == BZ_OK)
            BZ2_bzDecompressEnd(&s);
    }
    Bz2Stream(const Bz2Stream&) = delete;
    Bz2Stream& operator=(const Bz2Stream&) = delete;
    int init() const { return init_; }
    bz_stream s{};

private:
    int init_;
};

} // namespace

DecodeStatus DecodeBzip2(InputBlocks& in, OutputBlocks& out, uint8_t* outBlock, uint64_t uncompressedSize)
{
    Bz2Stream stream;
    if (stream.init() != BZ_OK)
        return stream.init() == BZ_MEM_ERROR ? DecodeStatus::NoMemory : DecodeStatus::BadData;
    bz_stream& s = stream.s;
    BlockFeed feed(in);
    BlockGatherer gather(out, outBlock, uncompressedSize);
    for (;;) {
        feed.fill();
        s.next_in = const_cast<char*>(reinterpret_cast<const char*>(feed.data()));
        s.avail_in = static_cast<unsigned>(feed.size());
        s.next_out = reinterpret_cast<char*>(gather.free());
        s.avail_out = static_cast<unsigned>(gather.room());
        const unsigned before = s.avail_in;
        const int r = BZ2_bzDecompress(&s);
        const size_t used = before - s.avail_in;
        const size_t made = gather.room() - s.avail_out;
        feed.consume(used);
        if (!gather.add(made))
            return gather.status();
        if (r == BZ_STREAM_END)
            return gather.finish();
        if (r != BZ_OK)
            return r == BZ_MEM_ERROR ? DecodeStatus::NoMemory : DecodeStatus::BadData;
        if (used == 0 && made == 0 && feed.empty())
            return DecodeStatus::BadData;
    }
}

} // namespace zelvora::zip
