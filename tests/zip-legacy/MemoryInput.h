#pragma once
// InputBlocks over bytes in memory, for feeding the decoders directly.
// Blocks are at most blockSize bytes (to try odd splits); when the archive
// holds fewer bytes than the entry's compressed size, the block that runs
// short is not handed out and status() says TruncatedInput, as the real
// reader does.
#include "zip/DecodeStreams.h"

#include <algorithm>
#include <cstdint>
#include <span>

class MemoryInput : public zelvora::zip::InputBlocks {
public:
    // available: the bytes the archive still holds; compressedSize: what the
    // entry claims.
    MemoryInput(std::span<const uint8_t> available, uint64_t compressedSize,
                size_t blockSize = zelvora::zip::kBlockSize)
        : data_(available)
        , compressedSize_(compressedSize)
        , blockSize_(blockSize)
    {
    }
    explicit MemoryInput(std::span<const uint8_t> data) : MemoryInput(data, data.size()) {}

    std::span<const uint8_t> next() override
    {
        ++calls_;
        const uint64_t left = compressedSize_ - delivered_;
        if (left == 0)
            return {};
        const size_t ask = static_cast<size_t>(std::min<uint64_t>(left, blockSize_));
        if (delivered_ + ask > data_.size()) {
            status_ = zelvora::zip::DecodeStatus::TruncatedInput;
            return {};
        }
        const auto block = data_.subspan(static_cast<size_t>(delivered_), ask);
        delivered_ += ask;
        return block;
    }

    zelvora::zip::DecodeStatus status() const override { return status_; }
    uint64_t delivered() const { return delivered_; }
    int calls() const { return calls_; }

private:
    std::span<const uint8_t> data_;
    uint64_t compressedSize_;
    size_t blockSize_;
    uint64_t delivered_ = 0;
    int calls_ = 0;
    zelvora::zip::DecodeStatus status_ = zelvora::zip::DecodeStatus::Success;
};
