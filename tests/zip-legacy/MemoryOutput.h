#pragma once
// OutputBlocks collecting the decoded bytes in memory, with the size guard of
// the real extraction (a block that would pass the uncompressed size is
// refused with TooLong and not kept) and a record of the block sizes.
#include "zip/DecodeStreams.h"

#include <cstdint>
#include <span>
#include <vector>

class MemoryOutput : public zelvora::zip::OutputBlocks {
public:
    explicit MemoryOutput(uint64_t uncompressedSize) : limit_(uncompressedSize) {}

    zelvora::zip::DecodeStatus write(std::span<const uint8_t> block) override
    {
        if (block.size() > zelvora::zip::kBlockSize)
            oversizedBlock_ = true;
        if (bytes_.size() + block.size() > limit_)
            return zelvora::zip::DecodeStatus::TooLong;
        bytes_.insert(bytes_.end(), block.begin(), block.end());
        blockSizes_.push_back(block.size());
        return zelvora::zip::DecodeStatus::Success;
    }

    const std::vector<uint8_t>& bytes() const { return bytes_; }
    const std::vector<size_t>& blockSizes() const { return blockSizes_; }
    bool oversizedBlock() const { return oversizedBlock_; }

private:
    uint64_t limit_;
    std::vector<uint8_t> bytes_;
    std::vector<size_t> blockSizes_;
    bool oversizedBlock_ = false;
};
