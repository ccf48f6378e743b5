#pragma once
// Shared by the decoder fuzz targets. An input is
//   4 bytes  uncompressed size, little endian (capped at 1 MiB)
//   1 byte   decoder parameter (Reduce factor, Implode flags)
//   1 byte   input block size selector (1 to 256 bytes, or 32,768)
//   1 byte   bit 0: the archive ends before the entry's compressed bytes do
//   ...      the entry's compressed bytes
// The output side traps on any block over 32,768 bytes or any byte past the
// uncompressed size; the input side ends early with TruncatedInput when the
// "archive" is short, as the real reader does.
#include "zip/DecodeStreams.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace zelvora::fuzz {

struct FuzzEntry {
    uint64_t uncompressedSize = 0;
    uint8_t parameter = 0;
    size_t blockSize = zip::kBlockSize;
    bool truncated = false;
    std::span<const uint8_t> data;

    static bool parse(const uint8_t* bytes, size_t size, FuzzEntry& entry)
    {
        if (size < 7)
            return false;
        const uint32_t usize = uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16
            | uint32_t{bytes[3]} << 24;
        entry.uncompressedSize = std::min<uint32_t>(usize, 1u << 20);
        entry.parameter = bytes[4];
        entry.blockSize = bytes[5] == 0xFF ? zip::kBlockSize : size_t{bytes[5]} + 1;
        entry.truncated = (bytes[6] & 1) != 0;
        entry.data = std::span<const uint8_t>(bytes + 7, size - 7);
        return true;
    }
};

class FuzzInput : public zip::InputBlocks {
public:
    FuzzInput(const FuzzEntry& e)
        : data_(e.data)
        , blockSize_(e.blockSize)
        , compressedSize_(e.truncated ? e.data.size() + 1000 : e.data.size())
    {
    }
    std::span<const uint8_t> next() override
    {
        if (delivered_ == compressedSize_)
            return {};
        const size_t ask = std::min(blockSize_, compressedSize_ - delivered_);
        if (delivered_ + ask > data_.size()) {
            status_ = zip::DecodeStatus::TruncatedInput;
            return {};
        }
        const auto block = data_.subspan(delivered_, ask);
        delivered_ += ask;
        return block;
    }

private:
    std::span<const uint8_t> data_;
    size_t blockSize_;
    size_t compressedSize_;
    size_t delivered_ = 0;
    zip::DecodeStatus status_ = zip::DecodeStatus::Success;

public:
    zip::DecodeStatus status() const override { return status_; }
};

class FuzzOutput : public zip::OutputBlocks {
public:
    explicit FuzzOutput(uint64_t limit) : limit_(limit) {}
    zip::DecodeStatus write(std::span<const uint8_t> block) override
    {
        if (block.size() > zip::kBlockSize || block.empty())
            std::abort();
        written_ += block.size();
        if (written_ > limit_)
            std::abort();
        // Touch every byte so the sanitizers see reads of uninitialised or
        // freed memory.
        for (uint8_t b : block)
            sum_ += b;
        return zip::DecodeStatus::Success;
    }
    uint64_t written() const { return written_; }

private:
    uint64_t limit_;
    uint64_t written_ = 0;
    uint32_t sum_ = 0;
};

// The body of every decoder target: parse the input into an entry, run the
// decoder over it, and check its status: the archive ends early only when
// the entry was cut short on purpose, Success only with every byte written,
// and a decoder never reports a failed write it was not given.
template <typename Decode>
int RunDecoder(const uint8_t* bytes, size_t size, Decode decode)
{
    FuzzEntry e;
    if (!FuzzEntry::parse(bytes, size, e))
        return 0;
    FuzzInput in(e);
    FuzzOutput out(e.uncompressedSize);
    const zip::DecodeStatus status = decode(in, out, e);
    if (in.status() == zip::DecodeStatus::TruncatedInput && !e.truncated)
        std::abort();
    if (status == zip::DecodeStatus::Success && out.written() != e.uncompressedSize)
        std::abort();
    if (status != zip::DecodeStatus::Success && status != zip::DecodeStatus::BadData)
        std::abort();
    return 0;
}

} // namespace zelvora::fuzz
