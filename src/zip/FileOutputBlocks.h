#pragma once
// Decoded bytes going into the extracted file: the size guard against the
// entry's uncompressed size, the short-write check and the running CRC-32.
#include "zip/DecodeStreams.h"
#include "zip/TLFNFileStream.h"

namespace zelvora::zip {

class FileOutputBlocks final : public OutputBlocks {
public:
    FileOutputBlocks(TLFNFileStream& file, uint64_t uncompressedSize);
    DecodeStatus write(std::span<const uint8_t> block) override;

    // CRC-32 (ISO 3309 / IEEE 802.3) of every byte written so far.
    uint32_t Crc() const { return crc_; }
    uint64_t Written() const { return written_; }

private:
    TLFNFileStream& file_;
    uint64_t limit_;
    uint64_t written_ = 0;
    uint32_t crc_ = 0;
};

} // namespace zelvora::zip
