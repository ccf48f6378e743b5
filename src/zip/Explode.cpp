#include "zip/Explode.h"

#include "zip/LsbBitReader.h"
#include "zip/OutputWindow.h"
#include "zip/ShannonFanoTree.h"

// Format notes (Implode, method 6):
// - Flag bit 1 set: 8 KiB sliding dictionary, 7 low distance bits read
//   plainly; clear: 4 KiB, 6 bits. Flag bit 2 set: three trees (literal,
//   length, distance); clear: two (length, distance) and literals are plain
//   8-bit bytes. Other flag bits are ignored.
// - Minimum match length: 3 when the literal tree is present, else 2, as the
//   format text says (the test archives only hold the pairs 4 KiB/two trees
//   and 8 KiB/three trees, for which any reading of this rule agrees).
// - The trees (ShannonFanoTree) come first, byte aligned, then the bit
//   stream, least significant bit first: 1 = literal, 0 = match. A match is
//   the low distance bits, the distance tree's upper 6 bits, then the length
//   tree's symbol plus the minimum match length; symbol 63 adds one more
//   8-bit byte. The copy starts distance + 1 bytes back; bytes before the
//   start of the output read as zeros (the format says so explicitly).
// - The stream has no end code: decoding stops at the uncompressed size. Codes
//   are looked up on 16 peeked bits, but only the bits a code really takes
//   are consumed, so the last codes never need bytes past the compressed
//   size. Running out of bits, or a bit pattern that is no code, ends the
//   entry; the caller's CRC check then rejects the file.

namespace zelvora::zip {

DecodeStatus Explode(InputBlocks& in, OutputBlocks& out, uint64_t uncompressedSize, uint16_t flags)
{
    if (uncompressedSize == 0)
        return DecodeStatus::Success;
    const bool bigDictionary = (flags & 0x2) != 0;
    const bool literalTree = (flags & 0x4) != 0;
    const unsigned lowDistanceBits = bigDictionary ? 7 : 6;
    const unsigned minimumMatch = literalTree ? 3 : 2;

    LsbBitReader bits(in);
    ShannonFanoTree literals;
    ShannonFanoTree lengths;
    ShannonFanoTree distances;
    if (literalTree && !literals.read(bits, 256))
        return DecodeStatus::BadData;
    if (!lengths.read(bits, 64) || !distances.read(bits, 64))
        return DecodeStatus::BadData;

    OutputWindow window(out, uncompressedSize);
    // A match takes at most 1 + 7 + 16 + 16 + 8 bits.
    constexpr unsigned kLongestStep = 48;
    while (!window.full()) {
        if (bits.ensure(kLongestStep)) {
            // Fast path: every bit of this step is buffered.
            if (bits.peekBuffered(1) != 0) {
                bits.skipBuffered(1);
                int literal;
                if (literalTree) {
                    literal = literals.decodeBuffered(bits);
                    if (literal < 0)
                        break;
                } else {
                    literal = static_cast<int>(bits.peekBuffered(8));
                    bits.skipBuffered(8);
                }
                window.put(static_cast<uint8_t>(literal));
                continue;
            }
            const uint32_t low = bits.peekBuffered(1 + lowDistanceBits) >> 1;
            bits.skipBuffered(1 + lowDistanceBits);
            const int high = distances.decodeBuffered(bits);
            const int symbol = high < 0 ? -1 : lengths.decodeBuffered(bits);
            if (symbol < 0)
                break;
            uint32_t length = static_cast<uint32_t>(symbol) + minimumMatch;
            if (symbol == 63) {
                length += bits.peekBuffered(8);
                bits.skipBuffered(8);
            }
            window.copy((static_cast<uint32_t>(high) << lowDistanceBits | low) + 1, length);
            continue;
        }
        // Near the end of the data: every read checked.
        if (bits.peek(1) != 0) {
            bits.skip(1);
            uint32_t literal;
            if (literalTree) {
                const int symbol = literals.decode(bits);
                if (symbol < 0)
                    break;
                literal = static_cast<uint32_t>(symbol);
            } else if (!bits.read(8, literal)) {
                break;
            }
            window.put(static_cast<uint8_t>(literal));
            continue;
        }
        uint32_t low;
        if (!bits.read(1 + lowDistanceBits, low))
            break;
        low >>= 1;
        const int high = distances.decode(bits);
        if (high < 0)
            break;
        const int symbol = lengths.decode(bits);
        if (symbol < 0)
            break;
        uint32_t length = static_cast<uint32_t>(symbol) + minimumMatch;
        if (symbol == 63) {
            uint32_t extra;
            if (!bits.read(8, extra))
                break;
            length += extra;
        }
        const uint32_t distance = (static_cast<uint32_t>(high) << lowDistanceBits | low) + 1;
        window.copy(distance, length);
    }
    return window.finish();
}

} // namespace zelvora::zip
