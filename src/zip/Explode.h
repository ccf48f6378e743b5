#pragma once
// Decoder for Implode (method 6) entries. Flag bit 1 selects the 8 KiB
// dictionary (else 4 KiB), flag bit 2 the third (literal) tree.
#include "zip/DecodeStreams.h"

#include <cstdint>

namespace zelvora::zip {

// Decodes until uncompressedSize bytes were produced or the compressed bytes
// run out; writes through out in blocks of at most kBlockSize bytes.
void Explode(InputBlocks& in, OutputBlocks& out, uint64_t uncompressedSize, uint16_t flags);

} // namespace zelvora::zip
