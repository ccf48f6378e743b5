#include "zip/EntryDecoder.h"

#include "zip/Bzip2Decoder.h"
#include "zip/Explode.h"
#include "zip/Inflate.h"
#include "zip/Inflate64.h"
#include "zip/LzmaDecoder.h"
#include "zip/Unreduce.h"
#include "zip/Unshrink.h"
#include "zip/ZstdDecoder.h"

namespace zelvora::zip {

namespace {

DecodeStatus CopyStored(InputBlocks& in, OutputBlocks& out)
{
    for (auto block = in.next(); !block.empty(); block = in.next())
        if (const DecodeStatus written = out.write(block); written != DecodeStatus::Success)
            return written;
    return DecodeStatus::Success;
}

DecodeStatus DecodeByMethod(const TZipHeaderInfo& entry, InputBlocks& in, OutputBlocks& out, uint8_t* outBlock,
                            const TUnZipperCallbacks& callbacks, InflateWorkspace* workspace)
{
    const uint64_t size = entry.uncompressedSize;
    switch (entry.method) {
    case 0:
        return CopyStored(in, out);
    case 1:
        return Unshrink(in, out, size);
    case 2:
    case 3:
    case 4:
    case 5:
        return Unreduce(in, out, size, entry.method - 1);
    case 6:
        return Explode(in, out, size, entry.flags);
    case 8:
        return Inflate(in, out, outBlock, callbacks, entry.compressedSize, size, workspace);
    case 9:
        return Inflate64(in, out, size);
    case 12:
        return DecodeBzip2(in, out, outBlock, size);
    case 14:
        return DecodeLzma(in, out, outBlock, size, entry.flags);
    case 93:
        return DecodeZstd(in, out, outBlock, size);
    case 95:
        return DecodeXz(in, out, outBlock, size);
    default:
        if (callbacks.messageBox)
            callbacks.messageBox("Unknown Compression Method", "Zip Error");
        return DecodeStatus::UnknownMethod;
    }
}

} // namespace

DecodeStatus DecodeEntry(const TZipHeaderInfo& entry, InputBlocks& in, OutputBlocks& out, uint8_t* outBlock,
                         const TUnZipperCallbacks& callbacks, InflateWorkspace* workspace)
{
    const DecodeStatus status = DecodeByMethod(entry, in, out, outBlock, callbacks, workspace);
    // A write that failed says more than the data ending early; otherwise an
    // archive that ended inside the data explains whatever the decoder saw.
    if (status != DecodeStatus::WriteFailed && in.status() == DecodeStatus::TruncatedInput)
        return DecodeStatus::TruncatedInput;
    return status;
}

} // namespace zelvora::zip
