#pragma once
// Deflate (RFC 1951) decoding of one entry.
#include "zip/DecodeStreams.h"
#include "zip/TUnZipperCallbacks.h"

#include <memory>
#include <vector>

namespace zelvora::zip {

// Memory that the one-call decoding of small entries keeps from one entry to
// the next during an extraction, so the pages are touched only once.
class InflateWorkspace {
public:
    InflateWorkspace();
    ~InflateWorkspace();
    InflateWorkspace(const InflateWorkspace&) = delete;
    InflateWorkspace& operator=(const InflateWorkspace&) = delete;

    std::vector<uint8_t> input;
    std::vector<uint8_t> output;
    void* decompressor = nullptr; // libdeflate's, made on first use
};

// Decodes the deflated data of in into out, gathering output in blocks of
// kBlockSize bytes in outBlock (which must hold that many). Returns Success
// when the deflate stream ended and every byte was written. Any error ends
// decoding with its status: BadData (corrupt data, or the compressed bytes
// used up before the stream's end), TruncatedInput, TooLong, WriteFailed or
// NoMemory; the last, partly filled block is then not written. When zlib
// finds no memory, the box "*** inflate out of memory ***" / "Error" is
// shown first.
//
// compressedSize and uncompressedSize, when given, let a small entry be
// decoded in one call by libdeflate (where the build has it); the blocks
// written, the result and every failure are the same as zlib's streaming
// decoding gives, which takes over whenever the one-call decoding fails.
DecodeStatus Inflate(InputBlocks& in, OutputBlocks& out, uint8_t* outBlock, const TUnZipperCallbacks& callbacks,
                     uint64_t compressedSize = 0, uint64_t uncompressedSize = 0, InflateWorkspace* workspace = nullptr);

} // namespace zelvora::zip
