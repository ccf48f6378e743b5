#include "zip/Inflate.h"

#include "zip/ZipErrors.h"

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
    z_stream z {};

private:
    int result_;
};

void OutOfMemory(const TUnZipperCallbacks& callbacks)
{
    if (callbacks.messageBox)
        callbacks.messageBox("*** inflate out of memory ***", "Error");
}

bool InflateStreaming(InputBlocks& in, OutputBlocks& out, uint8_t* outBlock, const TUnZipperCallbacks& callbacks)
{
    ZStream stream;
    if (!stream.Ok()) {
        if (stream.InitResult() == Z_MEM_ERROR)
            OutOfMemory(callbacks);
        return false;
    }
    z_stream& z = stream.z;
    size_t have = 0; // bytes gathered in outBlock
    try {
        for (;;) {
            if (z.avail_in == 0) {
                auto block = in.next();
                if (block.empty())
                    return false; // compressed bytes used up before the stream's end
                z.next_in = const_cast<Bytef*>(block.data());
                z.avail_in = static_cast<uInt>(block.size());
            }
            z.next_out = outBlock + have;
            z.avail_out = static_cast<uInt>(kBlockSize - have);
            const int r = inflate(&z, Z_NO_FLUSH);
            have = kBlockSize - z.avail_out;
            if (r == Z_STREAM_END) {
                out.write({outBlock, have});
                return true;
            }
            if (r == Z_MEM_ERROR) {
                OutOfMemory(callbacks);
                return false;
            }
            if (r != Z_OK && r != Z_BUF_ERROR)
                return false; // corrupt data
            if (have == kBlockSize) {
                out.write({outBlock, have});
                have = 0;
            }
        }
    } catch (const EFatalUnzipError&) {
    } catch (const ECantWriteUCF&) {
    } catch (const EBiggerThanUncompressed&) {
    }
    return false;
}

#ifdef ZELVORA_ZIP_LIBDEFLATE

// Entries up to this size (compressed and uncompressed) are decoded in one
// call; larger ones stream through zlib so memory stays small.
constexpr uint64_t kWholeEntryLimit = 16u << 20;

// Compressed bytes already read, handed out again in the same blocks; when
// reading them had hit the end of the archive, the same error follows.
class ReplayInput final : public InputBlocks {
public:
    ReplayInput(const uint8_t* data, size_t size, bool endedEarly)
        : data_(data)
        , size_(size)
        , endedEarly_(endedEarly)
    {
    }
    std::span<const uint8_t> next() override
    {
        if (at_ == size_) {
            if (endedEarly_)
                throw EFatalUnzipError();
            return {};
        }
        const size_t n = size_ - at_ < kBlockSize ? size_ - at_ : kBlockSize;
        auto block = std::span<const uint8_t>(data_ + at_, n);
        at_ += n;
        return block;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
    bool endedEarly_;
};

struct Decompressor {
    libdeflate_decompressor* d = libdeflate_alloc_decompressor();
    ~Decompressor()
    {
        if (d)
            libdeflate_free_decompressor(d);
    }
};

bool InflateWhole(InputBlocks& in, OutputBlocks& out, uint8_t* outBlock, const TUnZipperCallbacks& callbacks,
                  size_t compressedSize, size_t uncompressedSize)
{
    std::unique_ptr<uint8_t[]> input(new (std::nothrow) uint8_t[compressedSize]);
    std::unique_ptr<uint8_t[]> output(new (std::nothrow) uint8_t[uncompressedSize ? uncompressedSize : 1]);
    Decompressor decompressor;
    if (!input || !output || !decompressor.d)
        return InflateStreaming(in, out, outBlock, callbacks);
    size_t got = 0;
    bool endedEarly = false;
    try {
        for (auto block = in.next(); !block.empty(); block = in.next()) {
            std::memcpy(input.get() + got, block.data(), block.size());
            got += block.size();
        }
    } catch (const EFatalUnzipError&) {
        endedEarly = true;
    }
    size_t produced = 0;
    if (!endedEarly
        && libdeflate_deflate_decompress(decompressor.d, input.get(), got, output.get(), uncompressedSize, &produced)
            == LIBDEFLATE_SUCCESS) {
        try {
            // The same blocks the streaming decoder writes.
            for (size_t at = 0; at < produced; at += kBlockSize)
                out.write({output.get() + at, produced - at < kBlockSize ? produced - at : kBlockSize});
            return true;
        } catch (const ECantWriteUCF&) {
        } catch (const EBiggerThanUncompressed&) {
        }
        return false;
    }
    // Damaged, too long or cut short: zlib decides, block by block, exactly
    // as if it had read the archive itself.
    ReplayInput replay(input.get(), got, endedEarly);
    return InflateStreaming(replay, out, outBlock, callbacks);
}

#endif

} // namespace

bool Inflate(InputBlocks& in, OutputBlocks& out, uint8_t* outBlock, const TUnZipperCallbacks& callbacks,
             uint64_t compressedSize, uint64_t uncompressedSize)
{
#ifdef ZELVORA_ZIP_LIBDEFLATE
    if (compressedSize > 0 && compressedSize <= kWholeEntryLimit && uncompressedSize <= kWholeEntryLimit)
        return InflateWhole(in, out, outBlock, callbacks, static_cast<size_t>(compressedSize),
                            static_cast<size_t>(uncompressedSize));
#else
    (void)compressedSize;
    (void)uncompressedSize;
#endif
    return InflateStreaming(in, out, outBlock, callbacks);
}

} // namespace zelvora::zip
