#pragma once
// Decoder for Shrink (method 1) entries.
#include "zip/DecodeStreams.h"

#include <cstdint>

namespace zelvora::zip {

// Decodes until uncompressedSize bytes were produced or the compressed bytes
// run out; writes through out in blocks of at most kBlockSize bytes.
void Unshrink(InputBlocks& in, OutputBlocks& out, uint64_t uncompressedSize);

} // namespace zelvora::zip
