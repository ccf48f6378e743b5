#pragma once
// Deflate64 (method 9) decoding of one entry.
#include "zip/DecodeStatus.h"
#include "zip/DecodeStreams.h"

#include <cstdint>

namespace zelvora::zip {

// Decodes the Deflate64 data of in into out, in blocks of kBlockSize bytes,
// never writing past uncompressedSize. Success once the final block has
// ended and every byte is written; any other status leaves the last, partly
// filled block unwritten.
DecodeStatus Inflate64(InputBlocks& in, OutputBlocks& out, uint64_t uncompressedSize);

} // namespace zelvora::zip
