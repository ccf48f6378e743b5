#pragma once
// LZMA (method 14) and XZ (method 95) decoding of one entry, by liblzma.
#include "zip/DecodeStatus.h"
#include "zip/DecodeStreams.h"

#include <cstdint>

namespace zelvora::zip {

// LZMA: the zip LZMA header, then raw LZMA data; flags bit 1 says the data
// end with an end-of-stream mark, else they end at uncompressedSize.
DecodeStatus DecodeLzma(InputBlocks& in, OutputBlocks& out, uint8_t* outBlock, uint64_t uncompressedSize,
                        uint16_t flags);

// XZ: one .xz stream.
DecodeStatus DecodeXz(InputBlocks& in, OutputBlocks& out, uint8_t* outBlock, uint64_t uncompressedSize);

} // namespace zelvora::zip
