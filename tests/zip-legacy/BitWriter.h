#pragma once
// Builds small hand-made compressed streams for the decoder tests: values
// packed least significant bit first, as Shrink, Reduce and Implode pack them.
#include <cstddef>
#include <cstdint>
#include <vector>

class BitWriter {
public:
    // Appends the low `count` bits of value, lowest bit first.
    BitWriter& bits(uint32_t value, unsigned count)
    {
        for (unsigned i = 0; i < count; ++i)
            bit((value >> i) & 1u);
        return *this;
    }
    // Appends the low `count` bits of code, highest bit first (how Implode's
    // Shannon-Fano codes sit in the stream).
    BitWriter& msbFirst(uint32_t code, unsigned count)
    {
        for (unsigned i = count; i-- > 0;)
            bit((code >> i) & 1u);
        return *this;
    }
    BitWriter& byte(uint8_t value) { return bits(value, 8); }

    // The bytes so far; a last partial byte is padded with zero bits.
    std::vector<uint8_t> bytes() const { return bytes_; }
    size_t bitCount() const { return count_; }

private:
    void bit(uint32_t b)
    {
        if (count_ % 8 == 0)
            bytes_.push_back(0);
        bytes_.back() = static_cast<uint8_t>(bytes_.back() | b << (count_ % 8));
        ++count_;
    }

    std::vector<uint8_t> bytes_;
    size_t count_ = 0;
};
