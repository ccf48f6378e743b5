#include "zip/FileOutputBlocks.h"

#include "zip/Crc32.h"

namespace zelvora::zip {

FileOutputBlocks::FileOutputBlocks(TLFNFileStream& file, uint64_t uncompressedSize)
    : file_(file)
    , limit_(uncompressedSize)
{
}

DecodeStatus FileOutputBlocks::write(std::span<const uint8_t> block)
{
    if (block.size() > limit_ - written_) // written_ never passes limit_
        return DecodeStatus::TooLong;
    if (block.empty())
        return DecodeStatus::Success;
    const size_t took = file_.Write(block.data(), block.size());
    if (took < block.size())
        return DecodeStatus::WriteFailed;
    crc_ = UpdateCrc32(crc_, block.data(), block.size());
    written_ += block.size();
    return DecodeStatus::Success;
}

} // namespace zelvora::zip
