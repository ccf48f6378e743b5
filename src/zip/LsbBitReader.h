#pragma once
// Reads an entry's compressed bytes as one stream of bits, least significant
// bit of each byte first: the order in which Shrink, Reduce and Implode pack
// their codes.
//
// Bytes are taken from InputBlocks only when the bits are needed, so a
// decoder never asks for more than the entry's compressed size. Looking
// ahead (peek) past the last compressed byte sees zero bits; only consuming
// them counts as running out, which lets a table decoder peek a full-width
// code at the very end of the data without needing bytes that are not there.
#include "zip/DecodeStreams.h"

#include <cstdint>
#include <span>

namespace zelvora::zip {

class LsbBitReader {
public:
    explicit LsbBitReader(InputBlocks& in) : in_(in) {}

    // The next n bits (n <= 32) without consuming them; bits past the end of
    // the data read as 0.
    uint32_t peek(unsigned n)
    {
        if (count_ < n)
            refill(n);
        return static_cast<uint32_t>(bits_ & ((uint64_t{1} << n) - 1));
    }

    // Drops n bits that peek returned. Returns false (and marks the reader
    // exhausted) when fewer than n real bits were left.
    bool skip(unsigned n)
    {
        if (count_ < n) {
            refill(n);
            if (count_ < n) {
                exhausted_ = true;
                count_ = 0;
                bits_ = 0;
                return false;
            }
        }
        bits_ >>= n;
        count_ -= n;
        return true;
    }

    // Reads n bits (n <= 32) into value. Returns false when the data ran out.
    bool read(unsigned n, uint32_t& value)
    {
        value = peek(n);
        return skip(n);
    }

    // True once a read or skip wanted more bits than the data holds.
    bool exhausted() const { return exhausted_; }

private:
    // Tops the bit buffer up from the current block; a new block is fetched
    // only while fewer than `needed` bits are buffered.
    // Kept out of line so that peek and skip stay small enough to inline.
    [[gnu::noinline]] void refill(unsigned needed)
    {
        while (count_ <= 56) {
            if (pos_ == end_) {
                if (atEnd_ || count_ >= needed)
                    return;
                const std::span<const uint8_t> block = in_.next();
                if (block.empty()) {
                    atEnd_ = true;
                    return;
                }
                pos_ = block.data();
                end_ = pos_ + block.size();
            }
            if (count_ <= 24 && end_ - pos_ >= 4) {
                const uint64_t word = uint64_t{pos_[0]} | uint64_t{pos_[1]} << 8
                    | uint64_t{pos_[2]} << 16 | uint64_t{pos_[3]} << 24;
                bits_ |= word << count_;
                count_ += 32;
                pos_ += 4;
            } else {
                bits_ |= uint64_t{*pos_++} << count_;
                count_ += 8;
            }
        }
    }

    InputBlocks& in_;
    const uint8_t* pos_ = nullptr;
    const uint8_t* end_ = nullptr;
    uint64_t bits_ = 0;
    unsigned count_ = 0;
    bool atEnd_ = false;
    bool exhausted_ = false;
};

} // namespace zelvora::zip
