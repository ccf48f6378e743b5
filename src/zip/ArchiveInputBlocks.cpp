#include "zip/ArchiveInputBlocks.h"

namespace zelvora::zip {

ArchiveInputBlocks::ArchiveInputBlocks(TLFNFileStream& archive, uint64_t compressedSize, uint8_t* buffer,
                                       const TUnZipperCallbacks& callbacks)
    : archive_(archive)
    , remaining_(compressedSize)
    , buffer_(buffer)
    , callbacks_(callbacks)
{
}

std::span<const uint8_t> ArchiveInputBlocks::next()
{
    if (remaining_ == 0)
        return {};
    if (callbacks_.processMessages)
        callbacks_.processMessages();
    const size_t want = remaining_ < kBlockSize ? static_cast<size_t>(remaining_) : kBlockSize;
    const size_t got = archive_.Read(buffer_, want);
    if (got < want) {
        // The archive ends inside the entry's data; the short block is not
        // handed out.
        remaining_ = 0;
        status_ = DecodeStatus::TruncatedInput;
        return {};
    }
    remaining_ -= want;
    return {buffer_, want};
}

} // namespace zelvora::zip
