#pragma once
// Decoding one entry's data by its compression method.
#include "zip/DecodeStreams.h"
#include "zip/Inflate.h"
#include "zip/TUnZipperCallbacks.h"
#include "zip/TZipHeaderInfo.h"

namespace zelvora::zip {

enum class DecodeOutcome {
    Completed,     // every byte decoded and written
    TooLong,       // the output would have passed the uncompressed size
    QuietEnd,      // a deflated entry (or one of the newer methods) ended early on an error
    UnknownMethod, // a method this reader does not decode; nothing written
};

// Decodes entry's data from in into out. outBlock holds kBlockSize bytes.
// Deflate64 (9), bzip2 (12), LZMA (14), Zstandard (93) and XZ (95) end like
// Deflate when their data do not decode (QuietEnd), or TooLong when they
// decode to more than the uncompressed size.
// Methods other than Deflate let EFatalUnzipError and ECantWriteUCF (and
// whatever else their decoder raises) pass to the caller; they end the
// whole extraction. Unknown methods show "Unknown Compression Method" /
// "Zip Error".
DecodeOutcome DecodeEntry(const TZipHeaderInfo& entry, InputBlocks& in, OutputBlocks& out, uint8_t* outBlock,
                          const TUnZipperCallbacks& callbacks, InflateWorkspace* workspace = nullptr);

} // namespace zelvora::zip
