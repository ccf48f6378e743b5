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

#include <bit>
#include <cstdint>
#include <cstring>
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

    // Buffers at least n bits (n <= 57) when the data still hold them.
    // Returns false near the end, where only the checked calls may be used.
    bool ensure(unsigned n)
    {
        if (count_ < n)
            refill(n);
        return count_ >= n;
    }
    // Unchecked peek and skip, for bits that ensure() has buffered.
    uint32_t peekBuffered(unsigned n) const { return static_cast<uint32_t>(bits_ & ((uint64_t{1} << n) - 1)); }
    void skipBuffered(unsigned n)
    {
        bits_ >>= n;
        count_ -= n;
    }

    // True once a read or skip wanted more bits than the data holds.
    bool exhausted() const { return exhausted_; }

private:
    // Tops the bit buffer up from the current block; a new block is fetched
    // only while fewer than `needed` bits are buffered.
    // Kept out of line so that peek and skip stay small enough to inline.
    [[gnu::noinline]] void refill(unsigned needed)
    {
        if (end_ - pos_ >= 8) {
            // Eight bytes at once; only the whole bytes that fit are counted.
            uint64_t word;
            std::memcpy(&word, pos_, 8);
            if constexpr (std::endian::native == std::endian::big)
                word = __builtin_bswap64(word);
            bits_ |= word << count_;
            const unsigned taken = (63 - count_) >> 3;
            pos_ += taken;
            count_ += 8 * taken;
            return;
        }
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
                if (end_ - pos_ >= 8)
                    return refill(needed);
                continue;
            }
            bits_ |= uint64_t{*pos_++} << count_;
            count_ += 8;
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
