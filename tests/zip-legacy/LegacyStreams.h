#pragma once
// Tiny encoders for hand-made Shrink, Reduce and Implode streams, written
// from the format description: just enough to place chosen codes in the
// stream, with no search for matches.
#include "BitWriter.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

// Shrink: codes at the current code size; the caller writes 256,1 itself and
// tells the writer about the new size.
class ShrinkCodes {
public:
    ShrinkCodes& code(uint32_t c)
    {
        w_.bits(c, size_);
        return *this;
    }
    ShrinkCodes& codes(std::initializer_list<uint32_t> cs)
    {
        for (uint32_t c : cs)
            code(c);
        return *this;
    }
    ShrinkCodes& widen()
    {
        code(256).code(1);
        ++size_;
        return *this;
    }
    ShrinkCodes& partialClear() { return code(256).code(2); }
    std::vector<uint8_t> bytes() const { return w_.bytes(); }

private:
    BitWriter w_;
    unsigned size_ = 9;
};

// Reduce: follower sets, then intermediate bytes coded through them.
class ReduceStream {
public:
    ReduceStream() = default;
    // Sets S(j); bytes past 32 make a set the format does not allow.
    ReduceStream& followers(uint8_t j, std::vector<uint8_t> set)
    {
        sets_[j] = std::move(set);
        return *this;
    }
    // The intermediate bytes (DLE codes included), coded after the sets.
    std::vector<uint8_t> encode(const std::vector<uint8_t>& intermediate) const
    {
        BitWriter w;
        for (int j = 255; j >= 0; --j) {
            w.bits(static_cast<uint32_t>(sets_[j].size()), 6);
            for (uint8_t b : sets_[j])
                w.byte(b);
        }
        uint8_t last = 0;
        for (uint8_t c : intermediate) {
            const auto& set = sets_[last];
            if (set.empty()) {
                w.byte(c);
            } else {
                size_t index = 0;
                while (index < set.size() && set[index] != c)
                    ++index;
                if (index < set.size())
                    w.bits(0, 1).bits(static_cast<uint32_t>(index), indexBits(set.size()));
                else
                    w.bits(1, 1).byte(c);
            }
            last = c;
        }
        return w.bytes();
    }
    // B(N): bits for an index into a set of n bytes (1 for a single byte).
    static unsigned indexBits(size_t n)
    {
        unsigned bits = 1;
        while ((size_t{1} << bits) < n)
            ++bits;
        return bits;
    }

private:
    std::array<std::vector<uint8_t>, 256> sets_;
};

// Implode with trees of equal code lengths: 8 bits for the 256 literals, 6
// bits for the 64 lengths and distances. With equal lengths, value v of an
// n-value tree has the code n-1-v.
class ImplodeStream {
public:
    explicit ImplodeStream(uint16_t flags) : flags_(flags)
    {
        if (threeTrees())
            uniformTree(256, 8);
        uniformTree(64, 6);
        uniformTree(64, 6);
    }
    bool threeTrees() const { return (flags_ & 4) != 0; }
    unsigned minimumMatch() const { return threeTrees() ? 3 : 2; }

    ImplodeStream& literal(uint8_t c)
    {
        w_.bits(1, 1);
        if (threeTrees())
            w_.msbFirst(255u - c, 8);
        else
            w_.byte(c);
        return *this;
    }
    ImplodeStream& literals(const std::vector<uint8_t>& text)
    {
        for (uint8_t c : text)
            literal(c);
        return *this;
    }
    // A copy of length bytes from distance bytes back (distance >= 1).
    ImplodeStream& match(uint32_t distance, uint32_t length)
    {
        const unsigned lowBits = (flags_ & 2) ? 7 : 6;
        const uint32_t d = distance - 1;
        w_.bits(0, 1).bits(d & ((1u << lowBits) - 1), lowBits);
        w_.msbFirst(63u - (d >> lowBits), 6);
        const uint32_t l = length - minimumMatch();
        if (l >= 63)
            w_.msbFirst(0, 6).byte(static_cast<uint8_t>(l - 63));
        else
            w_.msbFirst(63u - l, 6);
        return *this;
    }
    BitWriter& raw() { return w_; }
    std::vector<uint8_t> bytes() const { return w_.bytes(); }

private:
    void uniformTree(unsigned values, unsigned length)
    {
        const unsigned bytes = values / 16;
        w_.byte(static_cast<uint8_t>(bytes - 1));
        for (unsigned i = 0; i < bytes; ++i)
            w_.byte(static_cast<uint8_t>(15 << 4 | (length - 1)));
    }

    uint16_t flags_;
    BitWriter w_;
};
