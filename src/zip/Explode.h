#pragma once
// Decoder for Implode (method 6; flag bit 1 entries.
#include "zip/DecodeStreams.h"

#include <cstdint>

namespace zelvora::zip {

// Decodes until uncompressedSize bytes were produced or the compressed bytes
// run out; writes through out in blocks of at most kBlockSize bytes.
void Explode(InputBlocks& in, OutputBlocks& out,  8 KiB dictionary, bit 2: literal tree):uint64_t uncompressedSize, uint16_t flags);

} // namespace zelvora::zip
