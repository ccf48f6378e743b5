#include "zip/FileOutputBlocks.h"

#include "zip/Crc32.h"
#include "zip/ZipErrors.h"

namespace zelvora::zip {

FileOutputBlocks::FileOutputBlocks(TLFNFileStream& file, uint64_t uncompressedSize)
    : file_(file)
    , limit_(uncompressedSize)
{
}

void FileOutputBlocks::write(std::span<const uint8_t> block)
{
    if (block.size() > limit_ - written_) // written_ never passes limit_
        throw EBiggerThanUncompressed();
    if (block.empty())
        return;
    const size_t took = file_.Write(block.data(), block.size());
    if (took < block.size())
        throw ECantWriteUCF();
    crc_ = UpdateCrc32(crc_, block.data(), block.size());
    written_ += block.size();
}

} // namespace zelvora::zip
