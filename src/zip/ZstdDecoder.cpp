#include "zip/ZstdDecoder.h"

#include "zip/BlockGatherer.h"

#include <zstd.h>
#include <zstd_errors.h>

#include <memory>

// Format notes (Zstandard, method 93): the entry's data are one or more
// Zstandard frames, back to back, as the zstd program writes them. The window
// a frame may ask for is capped at 2^27 bytes (128 MiB, what zstd itself
// accepts unless told otherwise), so a frame header cannot make the decoder
// reserve more; such a frame is left out as damaged.

namespace zelvora::zip {

namespace {

constexpr int kWindowLogMax = 27;

struct FreeDCtx {
    void operator()(ZSTD_DCtx* d) const { ZSTD_freeDCtx(d); }
};

DecodeStatus FromZstdError(size_t r)
{
    // A window over the cap counts as damaged data, like any other refusal.
    return ZSTD_getErrorCode(r) == ZSTD_error_memory_allocation ? DecodeStatus::NoMemory : DecodeStatus::BadData;
}

} // namespace

DecodeStatus DecodeZstd(InputBlocks& in, OutputBlocks& out, uint8_t* outBlock, uint64_t uncompressedSize)
{
    std::unique_ptr<ZSTD_DCtx, FreeDCtx> context(ZSTD_createDCtx());
    if (!context)
        return DecodeStatus::NoMemory;
    if (ZSTD_isError(ZSTD_DCtx_setParameter(context.get(), ZSTD_d_windowLogMax, kWindowLogMax)))
        return DecodeStatus::BadData;
    BlockFeed feed(in);
    BlockGatherer gather(out, outBlock, uncompressedSize);
    size_t hint = 1; // 0 once a frame has ended and been flushed
    for (;;) {
        if (!feed.fill() && hint == 0)
            return gather.finish();
        ZSTD_inBuffer input{feed.data(), feed.size(), 0};
        ZSTD_outBuffer output{gather.free(), gather.room(), 0};
        hint = ZSTD_decompressStream(context.get(), &output, &input);
        if (ZSTD_isError(hint))
            return FromZstdError(hint);
        feed.consume(input.pos);
        if (!gather.add(output.pos))
            return gather.status();
        if (input.pos == 0 && output.pos == 0 && feed.empty())
            return hint == 0 ? gather.finish() : DecodeStatus::BadData;
    }
}

} // namespace zelvora::zip
