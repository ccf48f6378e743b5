#pragma once
// Zstandard (method 93) decoding of one entry, by libzstd.
#include "zip/DecodeStatus.h"
#include "zip/DecodeStreams.h"

#include <cstdint>

namespace zelvora::zip {

// Decodes in into out through outBlock (kBlockSize bytes), never past
// uncompressedSize.
DecodeStatus DecodeZstd(InputBlocks& in, OutputBlocks& out, uint8_t* outBlock, uint64_t uncompressedSize);

} // namespace zelvora::zip
