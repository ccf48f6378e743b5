#pragma once
// What an entry decoder reads from and writes to. The extraction supplies
// both; the decoders (stored, Shrink, Reduce, Implode, Deflate) only move
// bytes between them, so every block, size and CRC rule lives in one place.
// Nothing here throws: a failure on either side is a DecodeStatus that the
// decoder stops on and hands back to its caller.
#include "zip/DecodeStatus.h"

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
    // delivered, or once the archive ended before them (status() then says
    // TruncatedInput). A decoder treats both as the end of its data.
    virtual std::span<const uint8_t> next() = 0;
    // Success, or TruncatedInput once the archive ended early.
    virtual DecodeStatus status() const { return DecodeStatus::Success; }
};

// The decoded bytes, in blocks of at most kBlockSize bytes.
class OutputBlocks {
public:
    virtual ~OutputBlocks() = default;
    // Writes one block and adds it to the running CRC. Returns TooLong
    // (nothing of the block written) when the block would take the file past
    // the entry's uncompressed size, WriteFailed when the file takes fewer
    // bytes than given, else Success. After a failure the decoder stops.
    [[nodiscard]] virtual DecodeStatus write(std::span<const uint8_t> block) = 0;
};

} // namespace zelvora::zip
