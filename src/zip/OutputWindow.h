#pragma once
// The decoders' output side: gathers decoded bytes into blocks of kBlockSize
// bytes for OutputBlocks, keeps the last bytes as the sliding dictionary for
// back references, and never produces more than the entry's uncompressed size.
//
// The buffer is a ring of two blocks. One half is being filled while the
// other still holds the previous block, so any distance up to kBlockSize can
// be copied from. A reference to bytes before the start of the output reads
// zeros, as the Reduce and Implode descriptions prescribe; the ring itself is
// not cleared, so only bytes already produced are ever read from it.
//
// When the output refuses a block (too long, a failed write), the window
// counts as full from then on, so the decoder's loop ends, and finish()
// hands back that status without writing anything more.
#include "zip/DecodeStreams.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace zelvora::zip {

class OutputWindow {
public:
    static constexpr uint32_t kRingSize = 2 * kBlockSize;
    static constexpr uint32_t kMaxDistance = kBlockSize;

    OutputWindow(OutputBlocks& out, uint64_t limit) : out_(out), ring_(new uint8_t[kRingSize]), limit_(limit) {}

    // Bytes that may still be produced before the uncompressed size is reached.
    uint64_t remaining() const { return limit_ - produced_; }
    bool full() const { return produced_ == limit_; }
    uint64_t produced() const { return produced_; }

    // How the output went so far: Success until a write failed.
    DecodeStatus status() const { return status_; }

    // Appends one byte; the caller checks full() first.
    void put(uint8_t byte)
    {
        ring_[pos_++] = byte;
        ++produced_;
        if ((pos_ & (kBlockSize - 1)) == 0)
            flushBlock();
    }

    // Copies length bytes starting distance bytes back (1 <= distance <=
    // kMaxDistance); the copy may overlap what it writes. Stops at the
    // uncompressed size.
    void copy(uint32_t distance, uint64_t length)
    {
        length = std::min(length, remaining());
        if (distance > produced_) {
            // The part before the start of the output: zeros. After them the
            // source is the first byte produced.
            const uint64_t zeros = std::min<uint64_t>(length, distance - produced_);
            for (uint64_t i = 0; i < zeros && !full(); ++i)
                put(0);
            if (status_ != DecodeStatus::Success)
                return;
            length -= zeros;
        }
        // Short copies that neither wrap nor come near a block end: eight
        // bytes at a time when the source is that far back (a chunk may run
        // up to 7 bytes past the copy, into bytes not produced yet), else a
        // byte loop.
        if (length <= 64 && distance <= pos_ && (pos_ & (kBlockSize - 1)) + length + 8 <= kBlockSize) {
            uint8_t* dst = ring_.get() + pos_;
            const uint8_t* from = dst - distance;
            if (distance >= 8) {
                for (uint32_t i = 0; i < length; i += 8)
                    std::memcpy(dst + i, from + i, 8);
            } else {
                for (uint32_t i = 0; i < length; ++i)
                    dst[i] = from[i];
            }
            pos_ += static_cast<uint32_t>(length);
            produced_ += length;
            return;
        }
        while (length > 0) {
            const uint32_t room = kBlockSize - (pos_ & (kBlockSize - 1));
            const uint32_t chunk = static_cast<uint32_t>(std::min<uint64_t>(length, room));
            const uint32_t src = (pos_ - distance) & (kRingSize - 1);
            uint8_t* dst = ring_.get() + pos_;
            if (src + chunk <= kRingSize) {
                const uint8_t* from = ring_.get() + src;
                if (distance >= chunk)
                    std::memcpy(dst, from, chunk);
                else
                    for (uint32_t i = 0; i < chunk; ++i)
                        dst[i] = from[i];
            } else {
                for (uint32_t i = 0; i < chunk; ++i)
                    dst[i] = ring_[(src + i) & (kRingSize - 1)];
            }
            pos_ += chunk;
            produced_ += chunk;
            length -= chunk;
            if ((pos_ & (kBlockSize - 1)) == 0 && !flushBlock())
                return;
        }
    }

    // Room for n bytes written directly at the current position, or nullptr
    // when they would cross a block end or the uncompressed size. After
    // filling it the caller calls commit(n).
    uint8_t* reserve(uint32_t n)
    {
        if (n > remaining() || n > kBlockSize - (pos_ & (kBlockSize - 1)))
            return nullptr;
        return ring_.get() + pos_;
    }
    void commit(uint32_t n)
    {
        pos_ += n;
        produced_ += n;
        if ((pos_ & (kBlockSize - 1)) == 0)
            flushBlock();
    }

    // Writes the last, partly filled block; called once, at the end.
    // Returns the status of the write that failed (then nothing more is
    // written), else Success when the uncompressed size was reached and
    // BadData when the decoder stopped before it (its data did not decode
    // or ran out).
    DecodeStatus finish()
    {
        if (status_ != DecodeStatus::Success)
            return status_;
        const uint32_t start = pos_ & ~(kBlockSize - 1) & (kRingSize - 1);
        const uint32_t end = pos_ & (kRingSize - 1);
        if (end > start && !fail(out_.write({ring_.get() + start, end - start})))
            return status_;
        return full() ? DecodeStatus::Success : DecodeStatus::BadData;
    }

private:
    // Writes the block just completed; false (and the window full) when the
    // output refused it.
    bool flushBlock()
    {
        const uint32_t start = (pos_ - kBlockSize) & (kRingSize - 1);
        pos_ &= kRingSize - 1;
        if (status_ != DecodeStatus::Success)
            return false;
        return fail(out_.write({ring_.get() + start, kBlockSize}));
    }
    // Records a failed write: nothing more may be produced.
    bool fail(DecodeStatus s)
    {
        if (s == DecodeStatus::Success)
            return true;
        status_ = s;
        limit_ = produced_;
        return false;
    }

    OutputBlocks& out_;
    std::unique_ptr<uint8_t[]> ring_;
    uint64_t limit_;
    uint64_t produced_ = 0;
    uint32_t pos_ = 0;
    DecodeStatus status_ = DecodeStatus::Success;
};

} // namespace zelvora::zip
