#pragma once
// Decoder for Shrink (method 1) entries.
#include "zip/DecodeStreams.h"

#include <cstdint>

namespace zelvora::zip {

// Decodes until uncompressedSize bytes were produced or the compressed bytes
// run out; writes through out in blocks of at most kBlockSize bytes. Returns
// Success once uncompressedSize bytes were written, BadData when the data
// stopped decoding (or ran out) before, or the status of a refused write.
DecodeStatus Unshrink(InputBlocks& in, OutputBlocks& out, uint64_t uncompressedSize);

} // namespace zelvora::zip
