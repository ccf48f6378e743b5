#pragma once
// Compressed data of the newer zip methods, made in the test: bzip2, LZMA
// (with the zip LZMA header), XZ and Zstandard through their libraries, and
// hand-made Deflate64 streams that hit one rule at a time.
#include "../zip-legacy/BitWriter.h"

#include <cstdint>
#include <string>

namespace zelvora::zip::test {

std::string Bzip2Of(const std::string& data);
// The zip LZMA header and raw LZMA data ending with the end-of-stream mark
// (general flag bit 1).
std::string LzmaOf(const std::string& data);
std::string XzOf(const std::string& data);
// Zstandard frames, the data cut into `frames` pieces; without the content
// size in the frame header, so the header holds the window size.
std::string ZstdOf(const std::string& data, int frames = 1);

// Deflate64 streams of stored and fixed-code blocks; `decoded` follows what
// a correct decoder produces.
class Deflate64Writer {
public:
    Deflate64Writer& stored(const std::string& bytes, bool final = false);
    Deflate64Writer& fixed(bool final = false); // starts a fixed-code block
    Deflate64Writer& literals(const std::string& bytes);
    // A match; lengths past 258, or any length with viaCode285, use code 285
    // and its 16 extra bits.
    Deflate64Writer& match(uint32_t length, uint32_t distance, bool viaCode285 = false);
    Deflate64Writer& symbol(unsigned litlen); // a bare literal/length code
    Deflate64Writer& endOfBlock() { return symbol(256); }
    Deflate64Writer& bits(uint32_t value, unsigned count)
    {
        bits_.bits(value, count);
        return *this;
    }
    std::string bytes() const;

    std::string decoded;

private:
    BitWriter bits_;
};

} // namespace zelvora::zip::test
