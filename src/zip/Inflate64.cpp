#include "zip/Inflate64.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <new>

// Format notes (Deflate64, method 9):
// - Deflate's block structure unchanged: stored, fixed and dynamic Huffman
//   blocks, the same code-length alphabet and the same header fields; codes
//   packed most significant bit first into a stream read least significant
//   bit first.
// - The window is 64 KiB instead of 32 KiB. Distance codes 30 and 31, unused
//   in Deflate, are valid: 14 extra bits on the bases 32,769 and 49,153, so
//   distances reach 65,536. The fixed distance code gives all 32 codes 5 bits.
// - Length code 285 no longer means 258: it takes 16 extra bits, added to 3,
//   so one match copies up to 65,538 bytes. Codes 257 to 284 are Deflate's.
// - A distance reaching before the first byte of the entry, an unused code
//   (litlen 286, 287), an over-subscribed code, a stored block whose length
//   check fails, block type 3, or a repeat code with nothing to repeat make
//   the data undecodable. The stream ends at its final block; compressed
//   bytes that remain after it are ignored, as with Deflate.
//
// Speed: the bit buffer, the input and output positions live in locals of
// the block loop (a byte store would otherwise make the compiler reload
// them). The input is staged in one buffer so 8 bytes can always be loaded
// at once; past the last compressed byte the buffer is padded with zero
// bytes, and consuming any of them means the data ended early. Output goes to
// a linear buffer with 64 KiB of history in front, so a match is one plain
// forward copy; when it passes its flush mark, the full blocks are written
// and the last 64 KiB move to the front.

namespace zelvora::zip {

namespace {

// A decoding table entry:
//   bits 0-4    bits the code takes (in a sub-table: bits past the main index)
//   bits 8-12   extra bits of a length or distance; of a sub-table link: its index bits
//   bit 13      literal
//   bit 14      link to a sub-table
//   bit 15      end of block (value 0) or a code that is not allowed (value 1)
//   bits 16-31  literal byte, length or distance base, or sub-table offset
constexpr uint32_t kLiteral = 1u << 13;
constexpr uint32_t kLink = 1u << 14;
constexpr uint32_t kSpecial = 1u << 15;
constexpr uint32_t kEndOfBlock = kSpecial;
constexpr uint32_t kInvalid = kSpecial | 1u << 16;

constexpr unsigned kLitBits = 10;
constexpr unsigned kDistBits = 8;
constexpr unsigned kCodeLengthBits = 7;
constexpr unsigned kMaxCodeLength = 15;
constexpr unsigned kLitSymbols = 288;
constexpr unsigned kDistSymbols = 32;
constexpr unsigned kCodeLengthSymbols = 19;

// Room for the main table and the worst case of sub-tables: one per long
// code, each at most 2^(15 - main bits) entries.
constexpr size_t TableSize(unsigned mainBits, unsigned symbols)
{
    return (size_t{1} << mainBits) + symbols * (size_t{1} << (kMaxCodeLength - mainBits));
}

using LitTable = std::array<uint32_t, TableSize(kLitBits, kLitSymbols)>;
using DistTable = std::array<uint32_t, TableSize(kDistBits, kDistSymbols)>;
using CodeLengthTable = std::array<uint32_t, size_t{1} << kCodeLengthBits>;

struct Payloads {
    std::array<uint32_t, kLitSymbols> lit{};
    std::array<uint32_t, kDistSymbols> dist{};
    std::array<uint32_t, kCodeLengthSymbols> codeLength{};

    constexpr Payloads()
    {
        for (uint32_t s = 0; s < 256; ++s)
            lit[s] = kLiteral | s << 16;
        lit[256] = kEndOfBlock;
        // Lengths 257-284 as in Deflate; 285 is 3 plus 16 extra bits.
        uint32_t base = 3;
        for (uint32_t s = 257; s < 285; ++s) {
            const uint32_t extra = s < 265 ? 0 : (s - 261) / 4;
            lit[s] = base << 16 | extra << 8;
            base += 1u << extra;
        }
        lit[285] = 3u << 16 | 16u << 8;
        lit[286] = kInvalid;
        lit[287] = kInvalid;
        base = 1;
        for (uint32_t s = 0; s < kDistSymbols; ++s) {
            const uint32_t extra = s < 4 ? 0 : s / 2 - 1;
            dist[s] = base << 16 | extra << 8;
            base += 1u << extra;
        }
        for (uint32_t s = 0; s < kCodeLengthSymbols; ++s)
            codeLength[s] = s << 16;
    }
};
constexpr Payloads kPayloads;

uint32_t Reverse(uint32_t code, unsigned len)
{
    uint32_t r = 0;
    for (unsigned i = 0; i < len; ++i, code >>= 1)
        r = r << 1 | (code & 1);
    return r;
}

// Builds the table of a canonical Huffman code from its code lengths. An
// over-subscribed code is refused; entries no code reaches (an incomplete
// code) decode as kInvalid.
bool BuildTable(const uint8_t* lengths, unsigned symbols, const uint32_t* payloads, unsigned mainBits, uint32_t* table,
                size_t capacity)
{
    unsigned count[kMaxCodeLength + 1] = {};
    for (unsigned s = 0; s < symbols; ++s)
        ++count[lengths[s]];
    count[0] = 0;
    int left = 1;
    for (unsigned len = 1; len <= kMaxCodeLength; ++len) {
        left = (left << 1) - static_cast<int>(count[len]);
        if (left < 0)
            return false;
    }
    uint32_t next[kMaxCodeLength + 2] = {};
    for (unsigned len = 1, code = 0; len <= kMaxCodeLength; ++len) {
        code = (code + count[len - 1]) << 1;
        next[len] = code;
    }
    // Each symbol's code, bit-reversed: the stream delivers the first bit of
    // a code as the lowest bit of the lookup index.
    uint16_t reversed[kLitSymbols];
    for (unsigned s = 0; s < symbols; ++s) {
        const unsigned len = lengths[s];
        if (!len)
            continue;
        const uint32_t code = next[len]++;
        reversed[s] = static_cast<uint16_t>(Reverse(code, len));
    }
    const uint32_t mainSize = 1u << mainBits;
    const uint32_t mainMask = mainSize - 1;
    std::fill(table, table + mainSize, kInvalid);
    // Longer codes share a main entry by their first mainBits bits; the link
    // leads to a sub-table as wide as the longest of them needs.
    uint8_t longest[1u << kLitBits] = {};
    for (unsigned s = 0; s < symbols; ++s)
        if (lengths[s] > mainBits) {
            uint8_t& l = longest[reversed[s] & mainMask];
            l = std::max(l, lengths[s]);
        }
    uint32_t end = mainSize;
    for (uint32_t prefix = 0; prefix < mainSize; ++prefix) {
        if (!longest[prefix])
            continue;
        const uint32_t subBits = longest[prefix] - mainBits;
        if (end + (1u << subBits) > capacity)
            return false; // cannot happen for a code that is not over-subscribed
        table[prefix] = kLink | end << 16 | subBits << 8 | mainBits;
        std::fill(table + end, table + end + (1u << subBits), kInvalid);
        end += 1u << subBits;
    }
    for (unsigned s = 0; s < symbols; ++s) {
        const unsigned len = lengths[s];
        if (!len)
            continue;
        const uint32_t rev = reversed[s];
        if (len <= mainBits) {
            for (uint32_t i = rev; i < mainSize; i += 1u << len)
                table[i] = payloads[s] | len;
        } else {
            const uint32_t link = table[rev & mainMask];
            const uint32_t offset = link >> 16;
            const uint32_t subSize = 1u << ((link >> 8) & 31);
            for (uint32_t i = rev >> mainBits; i < subSize; i += 1u << (len - mainBits))
                table[offset + i] = payloads[s] | (len - mainBits);
        }
    }
    return true;
}

class Inflate64Decoder {
public:
    Inflate64Decoder(InputBlocks& in, OutputBlocks& out, uint64_t limit) : in_(in), out_(out), limit_(limit)
    {
        inPos_ = inEnd_ = inBuf_.get();
        outPos_ = flushed_ = outBuf_.get() + kHistory;
        windowStart_ = outPos_;
        flushAt_ = outBuf_.get() + kFlushAt;
    }

    DecodeStatus run()
    {
        for (;;) {
            if (!ensure(3))
                return DecodeStatus::BadData;
            const bool final = take(1);
            DecodeStatus status;
            switch (take(2)) {
            case 0:
                status = storedBlock();
                break;
            case 1:
                if (!fixedBuilt_)
                    buildFixed();
                status = huffmanBlock(fixedLit_.data(), fixedDist_.data());
                break;
            case 2:
                status = dynamicTables();
                if (status == DecodeStatus::Success)
                    status = huffmanBlock(lit_.data(), dist_.data());
                break;
            default:
                return DecodeStatus::BadData;
            }
            if (status != DecodeStatus::Success)
                return status;
            if (final)
                break;
        }
        // Padding bytes past the data must not have been consumed.
        if (overrun_ * 8 > count_)
            return DecodeStatus::BadData;
        return finish();
    }

private:
    static constexpr size_t kHistory = 65536;
    static constexpr size_t kFlushAt = kHistory + 4 * kBlockSize;
    // One match (65,538 bytes plus 8 of chunked copying) or one stored block
    // may follow a position just under the flush mark.
    static constexpr size_t kOutSize = kFlushAt + 65538 + 64;
    static constexpr size_t kInSize = kBlockSize + 64;

    // ---- input ----

    // Tops up the staging buffer until 8 bytes lie ahead or the compressed
    // bytes are used up. The 8 bytes behind the position stay, so that a
    // stored block can give back what the bit buffer holds.
    void topUp()
    {
        while (inEnd_ - inPos_ < 8 && !inputDone_) {
            const size_t keep = std::min<size_t>(8, inPos_ - inBuf_.get());
            const uint8_t* from = inPos_ - keep;
            const size_t n = inEnd_ - from;
            std::memmove(inBuf_.get(), from, n);
            inPos_ = inBuf_.get() + keep;
            inEnd_ = inBuf_.get() + n;
            const std::span<const uint8_t> block = in_.next();
            if (block.empty()) {
                inputDone_ = true;
                break;
            }
            std::memcpy(inBuf_.get() + n, block.data(), block.size());
            inEnd_ += block.size();
        }
    }

    // Fills the bit buffer to at least 56 bits, with zero bytes past the end
    // of the data. False once more padding was taken than the buffer can
    // hold unconsumed: the data ended early.
    [[gnu::noinline]] bool refill()
    {
        if (inEnd_ - inPos_ < 8)
            topUp();
        if (inEnd_ - inPos_ >= 8) {
            uint64_t word;
            std::memcpy(&word, inPos_, 8);
            if constexpr (std::endian::native == std::endian::big)
                word = __builtin_bswap64(word);
            bb_ |= word << count_;
            inPos_ += (63 - count_) >> 3;
            count_ |= 56;
            return true;
        }
        while (count_ < 56) {
            uint64_t byte = 0;
            if (inPos_ < inEnd_)
                byte = *inPos_++;
            else
                ++overrun_;
            bb_ |= byte << count_;
            count_ += 8;
        }
        return overrun_ <= 8;
    }

    bool ensure(unsigned n) { return count_ >= n || refill(); }

    uint32_t take(unsigned n)
    {
        const uint32_t v = static_cast<uint32_t>(bb_ & ((uint64_t{1} << n) - 1));
        bb_ >>= n;
        count_ -= n;
        return v;
    }

    // ---- blocks ----

    DecodeStatus storedBlock()
    {
        // To the byte boundary, then give the whole bytes of the bit buffer
        // back to the input (padding bytes are simply dropped).
        take(count_ & 7);
        size_t bytes = count_ / 8;
        const size_t padding = std::min<size_t>(overrun_, bytes);
        overrun_ -= static_cast<unsigned>(padding);
        bytes -= padding;
        if (overrun_)
            return DecodeStatus::BadData;
        inPos_ -= bytes;
        bb_ = 0;
        count_ = 0;
        uint8_t header[4];
        for (uint8_t& b : header) {
            if (inPos_ == inEnd_)
                topUp();
            if (inPos_ == inEnd_)
                return DecodeStatus::BadData;
            b = *inPos_++;
        }
        const uint32_t length = header[0] | header[1] << 8;
        if (static_cast<uint32_t>(header[2] | header[3] << 8) != (~length & 0xFFFF))
            return DecodeStatus::BadData;
        if (outPos_ >= flushAt_ && !flush())
            return writeStatus_;
        for (uint32_t left = length; left > 0;) {
            if (inPos_ == inEnd_)
                topUp();
            if (inPos_ == inEnd_)
                return DecodeStatus::BadData;
            const uint32_t n = static_cast<uint32_t>(std::min<size_t>(left, inEnd_ - inPos_));
            std::memcpy(outPos_, inPos_, n);
            outPos_ += n;
            inPos_ += n;
            left -= n;
        }
        return DecodeStatus::Success;
    }

    void buildFixed()
    {
        uint8_t lengths[kLitSymbols];
        std::fill(lengths, lengths + 144, 8);
        std::fill(lengths + 144, lengths + 256, 9);
        std::fill(lengths + 256, lengths + 280, 7);
        std::fill(lengths + 280, lengths + 288, 8);
        BuildTable(lengths, kLitSymbols, kPayloads.lit.data(), kLitBits, fixedLit_.data(), fixedLit_.size());
        std::fill(lengths, lengths + kDistSymbols, 5);
        BuildTable(lengths, kDistSymbols, kPayloads.dist.data(), kDistBits, fixedDist_.data(), fixedDist_.size());
        fixedBuilt_ = true;
    }

    DecodeStatus dynamicTables()
    {
        static constexpr uint8_t kOrder[kCodeLengthSymbols] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                               11, 4,  12, 3, 13, 2, 14, 1, 15};
        if (!ensure(14))
            return DecodeStatus::BadData;
        const unsigned litCount = take(5) + 257;
        const unsigned distCount = take(5) + 1;
        const unsigned clCount = take(4) + 4;
        uint8_t clLengths[kCodeLengthSymbols] = {};
        for (unsigned i = 0; i < clCount; ++i) {
            if (!ensure(3))
                return DecodeStatus::BadData;
            clLengths[kOrder[i]] = static_cast<uint8_t>(take(3));
        }
        CodeLengthTable clTable;
        if (!BuildTable(clLengths, kCodeLengthSymbols, kPayloads.codeLength.data(), kCodeLengthBits, clTable.data(),
                        clTable.size()))
            return DecodeStatus::BadData;
        uint8_t lengths[kLitSymbols + kDistSymbols];
        const unsigned total = litCount + distCount;
        for (unsigned i = 0; i < total;) {
            if (!ensure(kCodeLengthBits + 7))
                return DecodeStatus::BadData;
            const uint32_t e = clTable[bb_ & ((1u << kCodeLengthBits) - 1)];
            if (e & kSpecial)
                return DecodeStatus::BadData;
            take(e & 31);
            const uint32_t symbol = e >> 16;
            if (symbol < 16) {
                lengths[i++] = static_cast<uint8_t>(symbol);
                continue;
            }
            uint8_t value = 0;
            unsigned repeat;
            if (symbol == 16) {
                if (i == 0)
                    return DecodeStatus::BadData;
                value = lengths[i - 1];
                repeat = 3 + take(2);
            } else if (symbol == 17) {
                repeat = 3 + take(3);
            } else {
                repeat = 11 + take(7);
            }
            if (i + repeat > total)
                return DecodeStatus::BadData;
            std::fill(lengths + i, lengths + i + repeat, value);
            i += repeat;
        }
        if (!BuildTable(lengths, litCount, kPayloads.lit.data(), kLitBits, lit_.data(), lit_.size())
            || !BuildTable(lengths + litCount, distCount, kPayloads.dist.data(), kDistBits, dist_.data(), dist_.size()))
            return DecodeStatus::BadData;
        return DecodeStatus::Success;
    }

    DecodeStatus huffmanBlock(const uint32_t* lit, const uint32_t* dist)
    {
        uint64_t bb = bb_;
        unsigned count = count_;
        const uint8_t* ip = inPos_;
        const uint8_t* ie = inEnd_;
        uint8_t* op = outPos_;
        const uint8_t* const flushAt = flushAt_;
        const uint8_t* windowStart = windowStart_;
#define Z64_SAVE() (bb_ = bb, count_ = count, inPos_ = ip, outPos_ = op)
#define Z64_LOAD() (bb = bb_, count = count_, ip = inPos_, ie = inEnd_, op = outPos_)
#define Z64_REFILL()                                               \
    do {                                                           \
        if (ie - ip >= 8) {                                        \
            uint64_t word;                                         \
            std::memcpy(&word, ip, 8);                             \
            if constexpr (std::endian::native == std::endian::big) \
                word = __builtin_bswap64(word);                    \
            bb |= word << count;                                   \
            ip += (63 - count) >> 3;                               \
            count |= 56;                                           \
        } else {                                                   \
            Z64_SAVE();                                            \
            const bool ok = refill();                              \
            Z64_LOAD();                                            \
            if (!ok)                                               \
                return DecodeStatus::BadData;                      \
        }                                                          \
    } while (0)

        for (;;) {
            if (op >= flushAt) [[unlikely]] {
                Z64_SAVE();
                const bool ok = flush();
                Z64_LOAD();
                windowStart = windowStart_;
                if (!ok)
                    return writeStatus_;
            }
            Z64_REFILL();
            uint32_t e = lit[bb & ((1u << kLitBits) - 1)];
            if (e & kLink) [[unlikely]] {
                bb >>= kLitBits;
                count -= kLitBits;
                e = lit[(e >> 16) + (bb & ((1u << ((e >> 8) & 31)) - 1))];
            }
            bb >>= e & 31;
            count -= e & 31;
            if (e & kLiteral) {
                *op++ = static_cast<uint8_t>(e >> 16);
                // A second literal while the buffer surely holds its code.
                e = lit[bb & ((1u << kLitBits) - 1)];
                if ((e & kLiteral) && count >= kLitBits) {
                    bb >>= e & 31;
                    count -= e & 31;
                    *op++ = static_cast<uint8_t>(e >> 16);
                }
                continue;
            }
            if (e & kSpecial) {
                Z64_SAVE();
                return (e >> 16) == 0 ? DecodeStatus::Success : DecodeStatus::BadData;
            }
            unsigned extra = (e >> 8) & 31;
            const uint32_t length = (e >> 16) + static_cast<uint32_t>(bb & ((uint64_t{1} << extra) - 1));
            bb >>= extra;
            count -= extra;
            if (count < 32)
                Z64_REFILL();
            uint32_t d = dist[bb & ((1u << kDistBits) - 1)];
            if (d & kLink) [[unlikely]] {
                bb >>= kDistBits;
                count -= kDistBits;
                d = dist[(d >> 16) + (bb & ((1u << ((d >> 8) & 31)) - 1))];
            }
            bb >>= d & 31;
            count -= d & 31;
            if (d & kSpecial) [[unlikely]] {
                Z64_SAVE();
                return DecodeStatus::BadData;
            }
            extra = (d >> 8) & 31;
            const uint32_t distance = (d >> 16) + static_cast<uint32_t>(bb & ((uint64_t{1} << extra) - 1));
            bb >>= extra;
            count -= extra;
            if (distance > static_cast<size_t>(op - windowStart)) [[unlikely]] {
                Z64_SAVE();
                return DecodeStatus::BadData;
            }
            copyMatch(op, distance, length);
            op += length;
        }
#undef Z64_REFILL
#undef Z64_LOAD
#undef Z64_SAVE
    }

    // Copies length bytes from distance back; may write up to 15 bytes past
    // the end of the copy (into room the buffer keeps for it).
    static void copyMatch(uint8_t* dst, uint32_t distance, uint32_t length)
    {
        const uint8_t* src = dst - distance;
        uint8_t* const end = dst + length;
        if (distance >= 16) {
            do {
                std::memcpy(dst, src, 16);
                dst += 16;
                src += 16;
            } while (dst < end);
        } else if (distance >= 8) {
            do {
                std::memcpy(dst, src, 8);
                dst += 8;
                src += 8;
            } while (dst < end);
        } else if (distance == 1) {
            std::memset(dst, *src, length);
        } else {
            for (uint32_t i = 0; i < length; ++i)
                dst[i] = src[i];
        }
    }

    // ---- output ----

    // False when the block would pass the uncompressed size or the output
    // refused it; writeStatus_ then says which.
    bool writeBlock(const uint8_t* data, size_t n)
    {
        writeStatus_ = n > limit_ - written_ ? DecodeStatus::TooLong : out_.write({data, n});
        if (writeStatus_ != DecodeStatus::Success)
            return false;
        written_ += n;
        return true;
    }

    // Writes the full blocks and, once past the flush mark, moves the last
    // 64 KiB to the front. False when a block could not be written.
    bool flush()
    {
        while (static_cast<size_t>(outPos_ - flushed_) >= kBlockSize) {
            if (!writeBlock(flushed_, kBlockSize))
                return false;
            flushed_ += kBlockSize;
        }
        if (outPos_ >= flushAt_) {
            const size_t shift = (outPos_ - outBuf_.get()) - kHistory;
            std::memmove(outBuf_.get(), outBuf_.get() + shift, kHistory);
            outPos_ -= shift;
            flushed_ -= shift;
            windowStart_ = outBuf_.get();
        }
        return true;
    }

    DecodeStatus finish()
    {
        if (!flush() || (outPos_ > flushed_ && !writeBlock(flushed_, outPos_ - flushed_)))
            return writeStatus_;
        return DecodeStatus::Success;
    }

    InputBlocks& in_;
    OutputBlocks& out_;
    const uint64_t limit_;
    uint64_t written_ = 0;
    DecodeStatus writeStatus_ = DecodeStatus::Success;

    // Not cleared: only bytes already read or produced are ever looked at.
    std::unique_ptr<uint8_t[]> inBuf_ = std::make_unique_for_overwrite<uint8_t[]>(kInSize);
    const uint8_t* inPos_;
    const uint8_t* inEnd_;
    bool inputDone_ = false;
    uint64_t bb_ = 0;
    unsigned count_ = 0;
    unsigned overrun_ = 0;

    std::unique_ptr<uint8_t[]> outBuf_ = std::make_unique_for_overwrite<uint8_t[]>(kOutSize);
    uint8_t* outPos_;
    uint8_t* flushed_;
    const uint8_t* windowStart_;
    const uint8_t* flushAt_;

    LitTable lit_;
    DistTable dist_;
    LitTable fixedLit_;
    DistTable fixedDist_;
    bool fixedBuilt_ = false;
};

} // namespace

DecodeStatus Inflate64(InputBlocks& in, OutputBlocks& out, uint64_t uncompressedSize)
{
    std::unique_ptr<Inflate64Decoder> decoder;
    try {
        decoder = std::make_unique<Inflate64Decoder>(in, out, uncompressedSize);
    } catch (const std::bad_alloc&) {
        return DecodeStatus::NoMemory;
    }
    return decoder->run();
}

} // namespace zelvora::zip
