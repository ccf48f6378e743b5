#pragma once
// Decoder for Implode (method 6) entries. Flag bit 1 selects the 8 KiB
// dictionary (else 4 KiB), flag bit 2 the third (literal) tree.
#include "zip/DecodeStreams.h"

#include <cstdint>

namespace zelvora::zip {

// Decodes until uncompressedSize bytes were produced or the compressed bytes
// run out; writes through out in blocks of at most kBlockSize bytes. Returns
// Success once uncompressedSize bytes were written, BadData when the data
// stopped decoding (or ran out) before, or the status of a refused write.
DecodeStatus Explode(InputBlocks& in, OutputBlocks& out, uint64_t uncompressedSize, uint16_t flags);

} // namespace zelvora::zip
