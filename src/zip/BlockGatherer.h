#pragma once
// The output side of the library decoders (bzip2, LZMA, XZ, Zstandard): the
// library decodes straight into one kBlockSize block, which is written when
// full, and nothing is ever written past the entry's uncompressed size.
#include "zip/DecodeStatus.h"
#include "zip/DecodeStreams.h"

#include <cstdint>

namespace zelvora::zip {

class BlockGatherer {
public:
    BlockGatherer(OutputBlocks& out, uint8_t* block, uint64_t limit) : out_(out), block_(block), limit_(limit) {}

    // Where the library may write next, and how much.
    uint8_t* free() const { return block_ + have_; }
    size_t room() const { return kBlockSize - have_; }
    // Bytes decoded so far, written or not.
    uint64_t produced() const { return written_ + have_; }

    // Takes n bytes the library put at free(); writes the block once full.
    // False when that block would pass the uncompressed size or the output
    // refused it; status() then says which.
    bool add(size_t n)
    {
        have_ += n;
        return have_ < kBlockSize || write();
    }
    // The last block, after the stream ended.
    DecodeStatus finish() { return have_ == 0 || write() ? DecodeStatus::Success : status_; }
    DecodeStatus status() const { return status_; }

private:
    bool write()
    {
        status_ = have_ > limit_ - written_ ? DecodeStatus::TooLong : out_.write({block_, have_});
        if (status_ != DecodeStatus::Success)
            return false;
        written_ += have_;
        have_ = 0;
        return true;
    }

    OutputBlocks& out_;
    uint8_t* block_;
    uint64_t limit_;
    uint64_t written_ = 0;
    size_t have_ = 0;
    DecodeStatus status_ = DecodeStatus::Success;
};

// The input side: the entry's compressed bytes, one block at a time.
class BlockFeed {
public:
    explicit BlockFeed(InputBlocks& in) : in_(in) {}

    // Fetches the next block once the current one is used up; false when
    // none is left.
    bool fill()
    {
        while (pos_ == size_ && !done_) {
            const std::span<const uint8_t> block = in_.next();
            if (block.empty()) {
                done_ = true;
            } else {
                data_ = block.data();
                size_ = block.size();
                pos_ = 0;
            }
        }
        return pos_ < size_;
    }
    const uint8_t* data() const { return data_ + pos_; }
    size_t size() const { return size_ - pos_; }
    void consume(size_t n) { pos_ += n; }
    // True once every compressed byte has been handed out and used.
    bool empty() const { return done_ && pos_ == size_; }

private:
    InputBlocks& in_;
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t pos_ = 0;
    bool done_ = false;
};

// The most memory a decoder may ask for (the dictionary of the LZMA methods);
// a stream that wants more is left out as damaged (BadData).
constexpr uint64_t kDecoderMemoryLimit = uint64_t{256} << 20;

} // namespace zelvora::zip
