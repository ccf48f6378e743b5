#pragma once
// An entry's compressed bytes read from the archive stream in blocks of at
// most kBlockSize bytes, never past the entry's compressed size. Pending
// window messages run before each block.
#include "zip/DecodeStreams.h"
#include "zip/TLFNFileStream.h"
#include "zip/TUnZipperCallbacks.h"

namespace zelvora::zip {

class ArchiveInputBlocks final : public InputBlocks {
public:
    // buffer must hold kBlockSize bytes; the stream is positioned at the
    // entry's data.
    ArchiveInputBlocks(TLFNFileStream& archive, uint64_t compressedSize, uint8_t* buffer,
                       const TUnZipperCallbacks& callbacks);
    std::span<const uint8_t> next() override;
    DecodeStatus status() const override { return status_; }
    uint64_t Remaining() const { return remaining_; }

private:
    TLFNFileStream& archive_;
    uint64_t remaining_;
    uint8_t* buffer_;
    const TUnZipperCallbacks& callbacks_;
    DecodeStatus status_ = DecodeStatus::Success;
};

} // namespace zelvora::zip
