#include "zip/Unreduce.h"

#include "zip/LsbBitReader.h"
#include "zip/OutputWindow.h"

#include <array>

// Format notes (Reduce, methods 2 to 5, compression factor 1 to 4):
// - Two stages. The data first hold 256 follower sets, S(255) first and S(0)
//   last, each a 6-bit count N followed by N 8-bit bytes; then a bit stream
//   (least significant bit first) that a probabilistic stage turns into an
//   intermediate byte stream, which a run/back-reference stage expands.
// - Probabilistic stage: with an empty set for the last intermediate byte
//   (0 at the start), 8 bits give the next byte; otherwise one bit: 1 means
//   8 bits follow, 0 means B(N) bits give an index into the set. B(N) is "the
//   minimal number of bits required to encode N-1"; for N = 1 we read that as
//   1 bit (not 0): the set's only byte still costs one bit, which is how
//   PKZIP 0.8's archives decode (with 0 bits they do not).
// - A set count above 32 cannot occur ("between 0 and 32 characters"), nor an
//   index at or past N; both end the entry as corrupt data.
// - Expansion stage: byte 144 (DLE) starts a code. DLE 0 stands for 144
//   itself. DLE V (V != 0) gives Len = the low 8-factor bits of V; when those
//   bits are all ones one more byte is added to Len. The next byte C gives the
//   distance D = (V >> (8-factor)) * 256 + C + 1, and Len + 3 bytes are copied
//   from D bytes back. Bytes before the start of the output read as zeros
//   (the format says so explicitly).
// - The entry ends at its uncompressed size, or when the compressed bytes run
//   out; a back reference that would pass the uncompressed size is cut there.

namespace zelvora::zip {

namespace {

struct FollowerSets {
    std::array<std::array<uint8_t, 32>, 256> bytes;
    std::array<uint8_t, 256> count;
    std::array<uint8_t, 256> indexBits;
};

// B(N) of the format text, with B(1) = 1 (see the notes above).
unsigned bitsForCount(unsigned n)
{
    unsigned bits = 1;
    while ((1u << bits) < n)
        ++bits;
    return n == 0 ? 0 : bits;
}

} // namespace

DecodeStatus Unreduce(InputBlocks& in, OutputBlocks& out, uint64_t uncompressedSize, int factor)
{
    if (uncompressedSize == 0)
        return DecodeStatus::Success;
    if (factor < 1 || factor > 4)
        return DecodeStatus::BadData;
    LsbBitReader bits(in);
    FollowerSets sets;
    for (int j = 255; j >= 0; --j) {
        uint32_t n;
        if (!bits.read(6, n) || n > 32)
            return DecodeStatus::BadData;
        sets.count[j] = static_cast<uint8_t>(n);
        sets.indexBits[j] = static_cast<uint8_t>(bitsForCount(n));
        for (uint32_t i = 0; i < n; ++i) {
            uint32_t byte;
            if (!bits.read(8, byte))
                return DecodeStatus::BadData;
            sets.bytes[j][i] = static_cast<uint8_t>(byte);
        }
    }

    const unsigned lengthBits = 8 - static_cast<unsigned>(factor);
    const uint32_t lengthMask = (1u << lengthBits) - 1;
    constexpr uint8_t kDle = 144;

    OutputWindow window(out, uncompressedSize);
    uint8_t last = 0;
    int state = 0;
    uint32_t v = 0;
    uint32_t length = 0;
    while (!window.full()) {
        // Probabilistic stage: the next intermediate byte.
        uint32_t c;
        const unsigned n = sets.count[last];
        if (n == 0) {
            if (!bits.read(8, c))
                break;
        } else if (bits.peek(1) != 0) {
            // Flag 1 and the byte, read in one go.
            if (!bits.read(9, c))
                break;
            c >>= 1;
        } else {
            // Flag 0 and the set index.
            uint32_t index;
            if (!bits.read(sets.indexBits[last] + 1u, index))
                break;
            index >>= 1;
            if (index >= n)
                break;
            c = sets.bytes[last][index];
        }
        last = static_cast<uint8_t>(c);

        // Expansion stage.
        switch (state) {
        case 0:
            if (c != kDle)
                window.put(static_cast<uint8_t>(c));
            else
                state = 1;
            break;
        case 1:
            if (c != 0) {
                v = c;
                length = v & lengthMask;
                state = length == lengthMask ? 2 : 3;
            } else {
                window.put(kDle);
                state = 0;
            }
            break;
        case 2:
            length += c;
            state = 3;
            break;
        default:
            window.copy((v >> lengthBits) * 256 + c + 1, length + 3);
            state = 0;
            break;
        }
    }
    return window.finish();
}

} // namespace zelvora::zip
