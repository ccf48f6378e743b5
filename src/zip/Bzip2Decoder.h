#pragma once
// bzip2 (method 12) decoding of one entry, by libbz2.
#include "zip/DecodeStatus.h"
#include "zip/DecodeStreams.h"

#include <cstdint>

namespace zelvora::zip {

// Decodes in into out through outBlock (kBlockSize bytes), never past
// uncompressedSize.
DecodeStatus DecodeBzip2(InputBlocks& in, OutputBlocks& out, uint8_t* outBlock, uint64_t uncompressedSize);

} // namespace zelvora::zip
