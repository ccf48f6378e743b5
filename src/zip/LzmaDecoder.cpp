#include "zip/LzmaDecoder.h"

#include "zip/BlockGatherer.h"

#include <lzma.h>

#include <algorithm>
#include <cstdlib>

// Format notes (LZMA, method 14):
// - The data start with a 4-byte header: the LZMA SDK version (major, minor
//   byte), the size of the properties (2 bytes, little endian; 5), then the
//   properties themselves: lc/lp/pb in one byte and the dictionary size in 4.
//   The raw LZMA1 data follow.
// - General flag bit 1 set: the data end with LZMA's end-of-stream mark.
//   Clear: they end when the uncompressed size is reached; whatever the coder
//   would still give is not asked for.
// - No back reference can reach before the first byte, so a dictionary larger
//   than the entry is never used: it is cut to the uncompressed size (at
//   least 4 KiB), which keeps a header's huge dictionary size from reserving
//   memory. What is left must still fit kDecoderMemoryLimit.
//
// Format notes (XZ, method 95): one whole .xz stream (header, blocks with
// their own checks, index, footer). liblzma is given kDecoderMemoryLimit; a
// stream that needs more is left out as damaged.

namespace zelvora::zip {

namespace {

class LzmaStream {
public:
    LzmaStream() = default;
    ~LzmaStream() { lzma_end(&s); }
    LzmaStream(const LzmaStream&) = delete;
    LzmaStream& operator=(const LzmaStream&) = delete;
    lzma_stream s = LZMA_STREAM_INIT;
};

DecodeStatus FromLzmaError(lzma_ret r)
{
    // A stream asking for more than the limit is treated as damaged data;
    // NoMemory is kept for memory the system could not give.
    return r == LZMA_MEM_ERROR ? DecodeStatus::NoMemory : DecodeStatus::BadData;
}

// Runs the set-up decoder over the rest of the data. With endsAtSize the
// stream is complete as soon as uncompressedSize bytes came out.
DecodeStatus Run(lzma_stream& s, BlockFeed& feed, BlockGatherer& gather, uint64_t uncompressedSize, bool endsAtSize)
{
    for (;;) {
        if (endsAtSize && gather.produced() == uncompressedSize)
            return gather.finish();
        feed.fill();
        s.next_in = feed.data();
        s.avail_in = feed.size();
        s.next_out = gather.free();
        size_t room = gather.room();
        if (endsAtSize)
            room = static_cast<size_t>(std::min<uint64_t>(room, uncompressedSize - gather.produced()));
        s.avail_out = room;
        const size_t before = s.avail_in;
        const lzma_ret r = lzma_code(&s, LZMA_RUN);
        const size_t used = before - s.avail_in;
        const size_t made = room - s.avail_out;
        feed.consume(used);
        if (!gather.add(made))
            return gather.status();
        if (r == LZMA_STREAM_END)
            return gather.finish();
        if (r != LZMA_OK)
            return FromLzmaError(r);
        if (used == 0 && made == 0 && feed.empty())
            return DecodeStatus::BadData;
    }
}

} // namespace

DecodeStatus DecodeLzma(InputBlocks& in, OutputBlocks& out, uint8_t* outBlock, uint64_t uncompressedSize,
                        uint16_t flags)
{
    BlockFeed feed(in);
    // The zip LZMA header, which may straddle input blocks.
    uint8_t header[4 + 5];
    size_t got = 0;
    size_t want = 4;
    while (got < want) {
        if (!feed.fill())
            return DecodeStatus::BadData;
        const size_t n = std::min(want - got, feed.size());
        std::copy_n(feed.data(), n, header + got);
        feed.consume(n);
        got += n;
        if (got == 4) {
            const unsigned propertiesSize = header[2] | header[3] << 8;
            if (propertiesSize != 5)
                return DecodeStatus::BadData;
            want = 4 + propertiesSize;
        }
    }
    lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
    if (lzma_properties_decode(&filters[0], nullptr, header + 4, 5) != LZMA_OK)
        return DecodeStatus::BadData;
    auto* options = static_cast<lzma_options_lzma*>(filters[0].options);
    const uint64_t enough = std::max<uint64_t>(uncompressedSize, LZMA_DICT_SIZE_MIN);
    options->dict_size = static_cast<uint32_t>(std::min<uint64_t>(options->dict_size, enough));
    const uint64_t memory = lzma_raw_decoder_memusage(filters);
    LzmaStream stream;
    lzma_ret r = LZMA_MEMLIMIT_ERROR;
    if (memory <= kDecoderMemoryLimit)
        r = lzma_raw_decoder(&stream.s, filters);
    free(options);
    if (r != LZMA_OK)
        return FromLzmaError(r);
    BlockGatherer gather(out, outBlock, uncompressedSize);
    return Run(stream.s, feed, gather, uncompressedSize, (flags & 0x2) == 0);
}

DecodeStatus DecodeXz(InputBlocks& in, OutputBlocks& out, uint8_t* outBlock, uint64_t uncompressedSize)
{
    LzmaStream stream;
    const lzma_ret r = lzma_stream_decoder(&stream.s, kDecoderMemoryLimit, 0);
    if (r != LZMA_OK)
        return FromLzmaError(r);
    BlockFeed feed(in);
    BlockGatherer gather(out, outBlock, uncompressedSize);
    return Run(stream.s, feed, gather, uncompressedSize, false);
}

} // namespace zelvora::zip
