#include "zip/Inflate.h"

#include "zip/ZipErrors.h"

#include <zlib.h>

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

} // namespace

bool Inflate(InputBlocks& in, OutputBlocks& out, uint8_t* outBlock, const TUnZipperCallbacks& callbacks)
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

} // namespace zelvora::zip
