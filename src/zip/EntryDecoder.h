#pragma once
// Decoding one entry's data by its compression method.
#include "zip/DecodeStatus.h"
#include "zip/DecodeStreams.h"
#include "zip/Inflate.h"
#include "zip/TUnZipperCallbacks.h"
#include "zip/TZipHeaderInfo.h"

namespace zelvora::zip {

// Decodes entry's data from in into out. outBlock holds kBlockSize bytes.
// Never throws for anything the data or the output file do: every ending is
// a status (DecodeStatus.h). When the archive ends inside the data, the
// status is TruncatedInput whatever the decoder made of the bytes it got.
// Unknown methods show "Unknown Compression Method" / "Zip Error", write
// nothing and return UnknownMethod.
DecodeStatus DecodeEntry(const TZipHeaderInfo& entry, InputBlocks& in, OutputBlocks& out, uint8_t* outBlock,
                         const TUnZipperCallbacks& callbacks, InflateWorkspace* workspace = nullptr);

} // namespace zelvora::zip
