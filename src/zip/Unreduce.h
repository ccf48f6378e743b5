#pragma once
// Decoder for Reduce (methods 2 to 5, factor = method - 1) entries.
#include "zip/DecodeStreams.h"

#include <cstdint>

namespace zelvora::zip {

// Decodes until uncompressedSize bytes were produced or the compressed bytes
// run out; writes through out in blocks of at most kBlockSize bytes. Returns
// Success once uncompressedSize bytes were written, BadData when the data
// stopped decoding (or ran out) before, or the status of a refused write.
DecodeStatus Unreduce(InputBlocks& in, OutputBlocks& out, uint64_t uncompressedSize, int factor);

} // namespace zelvora::zip
