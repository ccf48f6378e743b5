#include "zip/Inflate.h"

#include <zlib.h>

#include <cstring>
#include <memory>

#ifdef ZELVORA_ZIP_LIBDEFLATE
#include <libdeflate.h>
#endif

namespace zelvora::zip {

namespace {

class ZStream {
public:
    ZStream() { result_ = inflateInit2(&z, -MAX_WBITS); }
    ~ZStream()
    {
        if (result_ == Z_OK)
            inflateEnd(&z);
    }
    bool Ok() const { return result_ == Z_OK; }
    int InitResult() const { return result_; }
    z_stream z{};

private:
    int result_;
};

void OutOfMemory(const TUnZipperCallbacks& callbacks)
{
    if (callbacks.messageBox)
        callbacks.messageBox("*** inflate out of memory ***", "Error");
}

DecodeStatus InflateStreaming(InputBlocks& in, OutputBlocks& out, uint8_t* outBlock,
                              const TUnZipperCallbacks& callbacks)
{
    ZStream stream;
    if (!stream.Ok()) {
        if (stream.InitResult() == Z_MEM_ERROR) {
            OutOfMemory(callbacks);
            return DecodeStatus::NoMemory;
        }
        return DecodeStatus::BadData;
    }
    z_stream& z = stream.z;
    size_t have = 0; // bytes gathered in outBlock
    for (;;) {
        if (z.avail_in == 0) {
            auto block = in.next();
            if (block.empty()) // compressed bytes used up before the stream's end
                return in.status() == DecodeStatus::Success ? DecodeStatus::BadData : in.status();
            z.next_in = const_cast<Bytef*>(block.data());
            z.avail_in = static_cast<uInt>(block.size());
        }
        z.next_out = outBlock + have;
        z.avail_out = static_cast<uInt>(kBlockSize - have);
        const int r = inflate(&z, Z_NO_FLUSH);
        have = kBlockSize - z.avail_out;
        if (r == Z_STREAM_END)
            return out.write({outBlock, have});
        if (r == Z_MEM_ERROR) {
            OutOfMemory(callbacks);
            return DecodeStatus::NoMemory;
        }
        if (r != Z_OK && r != Z_BUF_ERROR)
            return DecodeStatus::BadData;
        if (have == kBlockSize) {
            if (const DecodeStatus written = out.write({outBlock, have}); written != DecodeStatus::Success)
                return written;
            have = 0;
        }
    }
}

#ifdef ZELVORA_ZIP_LIBDEFLATE

// Entries up to this size (compressed and uncompressed) are decoded in one
// call; larger ones stream through zlib so memory stays small.
constexpr uint64_t kWholeEntryLimit = 16u << 20;

// Compressed bytes already read, handed out again in the same blocks; when
// reading them had hit the end of the archive, the same status follows.
class ReplayInput final : public InputBlocks {
public:
    ReplayInput(const uint8_t* data, size_t size, DecodeStatus endStatus)
        : data_(data)
        , size_(size)
        , endStatus_(endStatus)
    {
    }
    std::span<const uint8_t> next() override
    {
        if (at_ == size_) {
            status_ = endStatus_;
            return {};
        }
        const size_t n = size_ - at_ < kBlockSize ? size_ - at_ : kBlockSize;
        auto block = std::span<const uint8_t>(data_ + at_, n);
        at_ += n;
        return block;
    }
    DecodeStatus status() const override { return status_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
    DecodeStatus endStatus_;
    DecodeStatus status_ = DecodeStatus::Success;
};

DecodeStatus InflateWhole(InputBlocks& in, OutputBlocks& out, uint8_t* outBlock, const TUnZipperCallbacks& callbacks,
                          size_t compressedSize, size_t uncompressedSize, InflateWorkspace& ws)
{
    if (!ws.decompressor)
        ws.decompressor = libdeflate_alloc_decompressor();
    try {
        if (ws.input.size() < compressedSize)
            ws.input.resize(compressedSize);
        if (ws.output.size() < uncompressedSize)
            ws.output.resize(uncompressedSize);
    } catch (const std::bad_alloc&) {
        ws.input = {};
        ws.output = {};
    }
    if (!ws.decompressor || ws.input.size() < compressedSize || ws.output.size() < uncompressedSize)
        return InflateStreaming(in, out, outBlock, callbacks);
    uint8_t* input = ws.input.data();
    uint8_t* output = ws.output.data();
    size_t got = 0;
    for (auto block = in.next(); !block.empty(); block = in.next()) {
        std::memcpy(input + got, block.data(), block.size());
        got += block.size();
    }
    const DecodeStatus readStatus = in.status();
    size_t produced = 0;
    if (readStatus == DecodeStatus::Success
        && libdeflate_deflate_decompress(static_cast<libdeflate_decompressor*>(ws.decompressor), input, got, output,
                                         uncompressedSize, &produced)
            == LIBDEFLATE_SUCCESS) {
        // The same blocks the streaming decoder writes.
        for (size_t at = 0; at < produced; at += kBlockSize)
            if (const DecodeStatus written = out.write(
                    {output + at, produced - at < kBlockSize ? produced - at : kBlockSize});
                written != DecodeStatus::Success)
                return written;
        return DecodeStatus::Success;
    }
    // Damaged, too long or cut short: zlib decides, block by block, exactly
    // as if it had read the archive itself.
    ReplayInput replay(input, got, readStatus);
    return InflateStreaming(replay, out, outBlock, callbacks);
}

#endif

} // namespace

InflateWorkspace::InflateWorkspace() = default;

InflateWorkspace::~InflateWorkspace()
{
#ifdef ZELVORA_ZIP_LIBDEFLATE
    if (decompressor)
        libdeflate_free_decompressor(static_cast<libdeflate_decompressor*>(decompressor));
#endif
}

DecodeStatus Inflate(InputBlocks& in, OutputBlocks& out, uint8_t* outBlock, const TUnZipperCallbacks& callbacks,
                     uint64_t compressedSize, uint64_t uncompressedSize, InflateWorkspace* workspace)
{
#ifdef ZELVORA_ZIP_LIBDEFLATE
    if (compressedSize > 0 && compressedSize <= kWholeEntryLimit && uncompressedSize <= kWholeEntryLimit) {
        InflateWorkspace local;
        return InflateWhole(in, out, outBlock, callbacks, static_cast<size_t>(compressedSize),
                            static_cast<size_t>(uncompressedSize), workspace ? *workspace : local);
    }
#else
    (void)compressedSize;
    (void)uncompressedSize;
    (void)workspace;
#endif
    return InflateStreaming(in, out, outBlock, callbacks);
}

} // namespace zelvora::zip
