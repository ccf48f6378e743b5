#include "zip/ShannonFanoTree.h"

#include <algorithm>
#include <array>

// Format notes (Implode's Shannon-Fano trees):
// - Each value has a bit length of 1 to 16. The lengths are sorted ascending,
//   keeping the stored order among equal lengths; codes are then handed out
//   from the last sorted value to the first: Code starts at 0 and before each
//   value grows by the increment of the previous length, 1 << (16 - length).
//   The 16-bit codes are read from the stream with their most significant bit
//   first (the format reverses them because the stream is read least
//   significant bit first).
// - The description's value counts must add up to exactly the tree's size
//   (64 or 256); anything else is corrupt data. The format does not say what
//   to do with lengths that cannot form a prefix code; we refuse a tree in
//   which one code is the prefix of another or a code passes 16 bits, and a
//   bit pattern that is no code (an incomplete tree) ends the entry when it
//   is met.

namespace zelvora::zip {

bool ShannonFanoTree::read(LsbBitReader& bits, unsigned symbolCount)
{
    uint32_t byteCount;
    if (!bits.read(8, byteCount))
        return false;
    ++byteCount;
    std::array<uint8_t, 256> lengths{};
    unsigned filled = 0;
    for (uint32_t i = 0; i < byteCount; ++i) {
        uint32_t byte;
        if (!bits.read(8, byte))
            return false;
        const unsigned values = (byte >> 4) + 1;
        const auto length = static_cast<uint8_t>((byte & 0x0F) + 1);
        if (filled + values > symbolCount)
            return false;
        std::fill_n(lengths.begin() + filled, values, length);
        filled += values;
    }
    if (filled != symbolCount)
        return false;
    return build({lengths.data(), symbolCount});
}

namespace {

// Bit reversal of a byte, for turning codes into reading order.
constexpr std::array<uint8_t, 256> kReversed = [] {
    std::array<uint8_t, 256> r{};
    for (unsigned i = 0; i < 256; ++i)
        for (unsigned b = 0; b < 8; ++b)
            r[i] = static_cast<uint8_t>(r[i] | ((i >> b) & 1u) << (7 - b));
    return r;
}();

} // namespace

bool ShannonFanoTree::build(std::span<const uint8_t> lengths)
{
    const size_t n = lengths.size();
    table_.clear();
    if (n == 0 || n > 256)
        return false;

    // Stable counting sort of the values by bit length.
    std::array<uint16_t, 18> start{};
    for (size_t i = 0; i < n; ++i) {
        if (lengths[i] < 1 || lengths[i] > 16)
            return false;
        ++start[lengths[i] + 1];
    }
    unsigned maxLength = 0;
    for (unsigned l = 1; l <= 16; ++l)
        if (start[l + 1] != 0)
            maxLength = l;
    for (unsigned l = 1; l <= 17; ++l)
        start[l] = static_cast<uint16_t>(start[l] + start[l - 1]);
    std::array<uint16_t, 256> order;
    for (size_t i = 0; i < n; ++i)
        order[start[lengths[i]]++] = static_cast<uint16_t>(i);

    const unsigned subBits = maxLength > kPrimaryBits ? maxLength - kPrimaryBits : 0;
    subMask_ = (1u << subBits) - 1;
    table_.assign(kPrimaryMask + 1, kEmpty);

    uint32_t code = 0;
    uint32_t increment = 0;
    unsigned lastLength = 0;
    for (size_t i = n; i-- > 0;) {
        const unsigned symbol = order[i];
        const unsigned length = lengths[symbol];
        code += increment;
        if (length != lastLength) {
            lastLength = length;
            increment = 1u << (16 - length);
        }
        if (code > 0xFFFF)
            return false;
        // The code's top `length` bits in reading order (reversed).
        const uint32_t reversed = uint32_t{kReversed[code & 0xFF]} << 8 | kReversed[code >> 8];
        const uint32_t leaf = kLeaf | length << 2 | symbol << 8;

        if (length <= kPrimaryBits) {
            for (uint32_t index = reversed; index <= kPrimaryMask; index += 1u << length) {
                if (table_[index] != kEmpty)
                    return false;
                table_[index] = leaf;
            }
            continue;
        }
        const uint32_t primary = table_[reversed & kPrimaryMask];
        if (primary == kEmpty) {
            table_[reversed & kPrimaryMask] = kSubtable | static_cast<uint32_t>(table_.size()) << 8;
            table_.resize(table_.size() + (size_t{1} << subBits), kEmpty);
        } else if ((primary & kKindMask) != kSubtable) {
            return false;
        }
        const size_t base = table_[reversed & kPrimaryMask] >> 8;
        const unsigned subLength = length - kPrimaryBits;
        for (uint32_t index = reversed >> kPrimaryBits; index <= subMask_; index += 1u << subLength) {
            if (table_[base + index] != kEmpty)
                return false;
            table_[base + index] = leaf;
        }
    }
    return true;
}

} // namespace zelvora::zip
