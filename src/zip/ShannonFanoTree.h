#pragma once
// One Shannon-Fano tree of an imploded entry: built from the code lengths
// stored at the start of the data, then used to decode symbols from the bit
// stream through a two-level lookup table.
#include "zip/LsbBitReader.h"

#include <cstdint>
#include <span>
#include <vector>

namespace zelvora::zip {

class ShannonFanoTree {
public:
    // Reads the tree's compressed description (a byte count - 1, then bytes
    // of "values - 1" in the high nibble and "bit length - 1" in the low one)
    // and builds the codes for symbolCount values (64 or 256). Returns false
    // when the data run out or the lengths do not make a usable tree.
    bool read(LsbBitReader& bits, unsigned symbolCount);

    // Builds the codes from one bit length (1 to 16) per value. Returns false
    // when two codes collide or a code does not fit in 16 bits.
    bool build(std::span<const uint8_t> lengths);

    // The next symbol, or -1 when the bits do not form a code or run out.
    int decode(LsbBitReader& bits) const
    {
        const uint32_t peeked = bits.peek(16);
        uint32_t entry = table_[peeked & kPrimaryMask];
        if ((entry & kKindMask) == kSubtable)
            entry = table_[(entry >> 8) + ((peeked >> kPrimaryBits) & subMask_)];
        if ((entry & kKindMask) != kLeaf || !bits.skip((entry >> 2) & 0x1F))
            return -1;
        return static_cast<int>(entry >> 8);
    }

    // The same on bits that LsbBitReader::ensure() has buffered (16 at least).
    int decodeBuffered(LsbBitReader& bits) const
    {
        const uint32_t peeked = bits.peekBuffered(16);
        uint32_t entry = table_[peeked & kPrimaryMask];
        if ((entry & kKindMask) == kSubtable)
            entry = table_[(entry >> 8) + ((peeked >> kPrimaryBits) & subMask_)];
        if ((entry & kKindMask) != kLeaf)
            return -1;
        bits.skipBuffered((entry >> 2) & 0x1F);
        return static_cast<int>(entry >> 8);
    }

private:
    static constexpr unsigned kPrimaryBits = 9;
    static constexpr uint32_t kPrimaryMask = (1u << kPrimaryBits) - 1;
    // Entry: kind in bits 0-1, code length in bits 2-6, symbol (leaf) or
    // subtable offset (subtable) from bit 8.
    static constexpr uint32_t kKindMask = 3;
    static constexpr uint32_t kEmpty = 0;
    static constexpr uint32_t kLeaf = 1;
    static constexpr uint32_t kSubtable = 2;

    std::vector<uint32_t> table_;
    uint32_t subMask_ = 0;
};

} // namespace zelvora::zip
