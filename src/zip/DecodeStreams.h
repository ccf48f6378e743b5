#pragma once
// What an entry decoder reads from and writes to. The extraction supplies
// both; the decoders (stored, Shrink, Reduce, Implode, Deflate) only move
// bytes between them, so every block, size and CRC rule lives in one place.
#include <cstddef>
#include <cstdint>
#include <span>

namespace zelvora::zip {

constexpr size_t kBlockSize = 32768;

// An entry's compressed bytes, in blocks of at most kBlockSize bytes, never
// past the entry's compressed size.
class InputBlocks {
public:
    virtual ~InputBlocks() = default;
    // The next block; an empty span once every compressed byte has been
    // delivered. Throws EFatalUnzipError when the archive ends early.
    virtual std::span<const uint8_t> next() = 0;
};

// The decoded bytes, in blocks of at most kBlockSize bytes.
class OutputBlocks {
public:
    virtual ~OutputBlocks() = default;
    // Writes one block and adds it to the running CRC. Throws
    // EBiggerThanUncompressed (nothing of the block written) when the block
    // would take the file past the entry's uncompressed size, and
    // ECantWriteUCF when the file takes fewer bytes than given.
    virtual void write(std::span<const uint8_t> block) = 0;
};

} // namespace zelvora::zip
