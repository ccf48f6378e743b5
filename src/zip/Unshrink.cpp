#include "zip/Unshrink.h"

#include "zip/LsbBitReader.h"
#include "zip/OutputWindow.h"

#include <array>
#include <cstring>
#include <memory>

// Format notes (Shrink, method 1):
// - Dynamic LZW. Codes 0-255 stand for the bytes themselves, 256 is an
//   escape, 257-8191 are the strings the compressor adds. Codes are packed
//   least significant bit first (the format text does not say; it is the
//   order every other zip method uses and the one PKZIP's files decode with).
// - The code size starts at 9 bits and changes only when the compressor says
//   so: 256 followed by 1 widens it by one bit, up to 13. The next code is read
//   at the new size right after the old one, without any blocking.
// - 256 followed by 2 is a partial clear: every leaf (a code that is not the
//   prefix of another code in use) is freed. Free codes are handed out lowest
//   first, before any never-used code above them.
// - Not spelled out: what happens to the string that the decoder has not yet
//   added when the clear comes (previous code + first byte of the next one).
//   PKZIP's archives decode only one way: the clear works on the table
//   without that string (the previous code itself may be freed as a leaf),
//   and the string is added after the clear, in the lowest free code, even
//   when the table was full before the clear (unzip and 7-Zip read streams
//   that end up there the same way; PKZIP's own files never do). Its
//   prefix may thus be a code that was just freed and is later given to
//   another string; the string then follows the new meaning of its prefix.
//   So a string is spelled by walking its prefix chain as it stands. Length
//   and first byte are remembered per code only as a shortcut, and only
//   trusted for codes whose chain cannot have changed: a string added on a
//   freed prefix, and everything built on it, is marked and always walked.
// - Data that does not decode (a code neither in the table nor the one being
//   defined, 256 followed by anything but 1 or 2, a code size past 13 bits,
//   a prefix chain that loops) ends the entry; so does running out of
//   compressed bytes. The caller's CRC check then rejects the file.

namespace zelvora::zip {

namespace {

constexpr uint32_t kFirstFree = 257;
constexpr uint32_t kCodeCount = 8192;
constexpr unsigned kMaxCodeSize = 13;
constexpr uint32_t kEscape = 256;
constexpr uint32_t kNone = 0xFFFF;

struct ShrinkTable {
    std::array<uint16_t, kCodeCount> prefix; // code of the string without its last byte
    std::array<uint8_t, kCodeCount> last; // last byte of the string
    std::array<uint8_t, kCodeCount> used; // 1 while the code stands for a string
    std::array<uint8_t, kCodeCount> first; // first byte and length of the string,
    std::array<uint16_t, kCodeCount> length; // valid unless `unstable`
    // 1 when the chain runs through a code that was freed (and may be given
    // to another string) after this string was added.
    std::array<uint8_t, kCodeCount> unstable;
    std::array<uint8_t, kCodeCount> isParent; // scratch for the partial clear
    // A string is spelled backwards from the end of this buffer; a chain
    // longer than the table has codes can only be a loop.
    std::array<uint8_t, kCodeCount> spell;
};

} // namespace

DecodeStatus Unshrink(InputBlocks& in, OutputBlocks& out, uint64_t uncompressedSize)
{
    if (uncompressedSize == 0)
        return DecodeStatus::Success;
    auto table = std::make_unique<ShrinkTable>();
    ShrinkTable& t = *table;
    t.prefix.fill(0);
    t.used.fill(0);
    t.unstable.fill(0);
    t.length.fill(0);
    for (uint32_t c = 0; c < 256; ++c) {
        t.last[c] = static_cast<uint8_t>(c);
        t.first[c] = static_cast<uint8_t>(c);
        t.length[c] = 1;
        t.used[c] = 1;
    }

    LsbBitReader bits(in);
    OutputWindow window(out, uncompressedSize);
    unsigned codeSize = 9;
    uint32_t previous = kNone;
    uint32_t reserved = kNone; // code that "previous + next first byte" will take
    uint32_t nextFree = kFirstFree;

    auto reserve = [&]() -> uint32_t {
        while (nextFree < kCodeCount && t.used[nextFree])
            ++nextFree;
        return nextFree < kCodeCount ? nextFree++ : kNone;
    };

    auto partialClear = [&]() {
        // Branch-free passes: clears can come every few hundred codes.
        t.isParent.fill(0);
        for (uint32_t c = kFirstFree; c < kCodeCount; ++c)
            t.isParent[t.prefix[c]] |= t.used[c];
        for (uint32_t c = kFirstFree; c < kCodeCount; ++c)
            t.used[c] &= t.isParent[c];
        nextFree = kFirstFree;
        if (previous != kNone)
            reserved = reserve();
    };

    // Spells `code` into the end of t.spell; returns the index of its first
    // byte, or kCodeCount when the chain does not end at a byte. Sets
    // passedReserved when the chain runs through the reserved code.
    auto spell = [&](uint32_t code, bool& passedReserved) -> uint32_t {
        uint32_t i = kCodeCount;
        passedReserved = false;
        while (code > 0xFF) {
            if (i == 1)
                return kCodeCount;
            passedReserved |= code == reserved;
            t.spell[--i] = t.last[code];
            code = t.prefix[code];
        }
        t.spell[--i] = static_cast<uint8_t>(code);
        return i;
    };

    while (!window.full()) {
        uint32_t code;
        if (!bits.read(codeSize, code))
            break;
        if (code == kEscape) {
            uint32_t command;
            if (!bits.read(codeSize, command))
                break;
            if (command == 1 && codeSize < kMaxCodeSize) {
                ++codeSize;
                continue;
            }
            if (command == 2) {
                partialClear();
                continue;
            }
            break; // not a command of this format
        }

        if (reserved != kNone) {
            if (code != reserved && !t.used[code])
                break;
            // Complete the pending string "previous + first byte of this
            // code's string".
            const uint32_t r = reserved;
            const uint32_t p = previous;
            t.unstable[r] = static_cast<uint8_t>(t.unstable[p] | (t.used[p] ^ 1));
            t.prefix[r] = static_cast<uint16_t>(p);
            t.first[r] = t.first[p];
            t.length[r] = static_cast<uint16_t>(t.length[p] + 1);
            t.last[r] = code == r ? t.first[p] : t.first[code];
            t.used[r] = 1;
        } else if (!t.used[code]) {
            break;
        }

        if (!t.unstable[code]) {
            // The usual case: write the string backwards straight into the
            // output, its length known.
            const uint32_t length = t.length[code];
            if (uint8_t* dst = window.reserve(length)) {
                uint32_t c = code;
                for (uint32_t i = length - 1; i > 0; --i) {
                    dst[i] = t.last[c];
                    c = t.prefix[c];
                }
                dst[0] = static_cast<uint8_t>(c);
                window.commit(length);
            } else {
                bool passed;
                const uint32_t start = spell(code, passed);
                for (uint32_t i = start; i < kCodeCount && !window.full(); ++i)
                    window.put(t.spell[i]);
            }
        } else {
            // A chain that may have changed: walk it. The pending string's
            // last byte is this string's first byte, which does not depend on
            // that last byte; if the chain runs through the pending string,
            // walk again once it is right.
            bool passedReserved = false;
            uint32_t start = spell(code, passedReserved);
            if (start == kCodeCount)
                break;
            if (reserved != kNone) {
                t.last[reserved] = t.spell[start];
                if (passedReserved)
                    start = spell(code, passedReserved);
            }
            for (uint32_t i = start; i < kCodeCount && !window.full(); ++i)
                window.put(t.spell[i]);
        }

        previous = code;
        reserved = reserve();
    }
    return window.finish();
}

} // namespace zelvora::zip
