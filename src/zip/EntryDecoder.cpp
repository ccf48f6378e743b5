#include "zip/EntryDecoder.h"

#include "zip/Bzip2Decoder.h"
#include "zip/Explode.h"
#include "zip/Inflate.h"
#include "zip/Inflate64.h"
#include "zip/LzmaDecoder.h"
#include "zip/Unreduce.h"
#include "zip/Unshrink.h"
#include "zip/ZipErrors.h"
#include "zip/ZstdDecoder.h"

namespace zelvora::zip {

namespace {

void CopyStored(InputBlocks& in, OutputBlocks& out)
{
    for (auto block = in.next(); !block.empty(); block = in.next())
        out.write(block);
}

// The newer methods end like Deflate: data that do not decode end the entry
// quietly, and the CRC check then rejects the file.
DecodeOutcome FromStatus(DecodeStatus status)
{
    switch (status) {
    case DecodeStatus::Success:
        return DecodeOutcome::Completed;
    case DecodeStatus::TooLong:
        return DecodeOutcome::TooLong;
    default:
        return DecodeOutcome::QuietEnd;
    }
}

} // namespace

DecodeOutcome DecodeEntry(const TZipHeaderInfo& entry, InputBlocks& in, OutputBlocks& out, uint8_t* outBlock,
                          const TUnZipperCallbacks& callbacks, InflateWorkspace* workspace)
{
    const uint64_t size = entry.uncompressedSize;
    try {
        switch (entry.method) {
        case 0:
            CopyStored(in, out);
            return DecodeOutcome::Completed;
        case 1:
            Unshrink(in, out, size);
            return DecodeOutcome::Completed;
        case 2:
        case 3:
        case 4:
        case 5:
            Unreduce(in, out, size, entry.method - 1);
            return DecodeOutcome::Completed;
        case 6:
            Explode(in, out, size, entry.flags);
            return DecodeOutcome::Completed;
        case 8:
            return Inflate(in, out, outBlock, callbacks, entry.compressedSize, size, workspace) ? DecodeOutcome::Completed : DecodeOutcome::QuietEnd;
        case 9:
            return FromStatus(Inflate64(in, out, size));
        case 12:
            return FromStatus(DecodeBzip2(in, out, outBlock, size));
        case 14:
            return FromStatus(DecodeLzma(in, out, outBlock, size, entry.flags));
        case 93:
            return FromStatus(DecodeZstd(in, out, outBlock, size));
        case 95:
            return FromStatus(DecodeXz(in, out, outBlock, size));
        default:
            if (callbacks.messageBox)
                callbacks.messageBox("Unknown Compression Method", "Zip Error");
            return DecodeOutcome::UnknownMethod;
        }
    } catch (const EBiggerThanUncompressed&) {
        return DecodeOutcome::TooLong;
    }
}

} // namespace zelvora::zip
