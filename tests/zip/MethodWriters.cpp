#include "MethodWriters.h"

#include <bzlib.h>
#include <lzma.h>
#include <zstd.h>

#include <cstdlib>
#include <stdexcept>

namespace zelvora::zip::test {

std::string Bzip2Of(const std::string& data)
{
    std::string out(data.size() + data.size() / 100 + 1024, '\0');
    unsigned size = static_cast<unsigned>(out.size());
    if (BZ2_bzBuffToBuffCompress(out.data(), &size, const_cast<char*>(data.data()), static_cast<unsigned>(data.size()),
                                 9, 0, 0)
        != BZ_OK)
        throw std::runtime_error("bzip2");
    out.resize(size);
    return out;
}

std::string LzmaOf(const std::string& data)
{
    lzma_options_lzma options;
    lzma_lzma_preset(&options, 6);
    lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    uint8_t properties[5];
    uint32_t propertiesSize = 0;
    if (lzma_properties_size(&propertiesSize, filters) != LZMA_OK || propertiesSize != 5
        || lzma_properties_encode(filters, properties) != LZMA_OK)
        throw std::runtime_error("lzma properties");
    std::string out("\x10\x02\x05\x00", 4); // LZMA SDK 16.02, 5 property bytes
    out.append(reinterpret_cast<const char*>(properties), 5);
    std::string raw(data.size() + data.size() / 2 + 1024, '\0');
    size_t rawSize = 0;
    if (lzma_raw_buffer_encode(filters, nullptr, reinterpret_cast<const uint8_t*>(data.data()), data.size(),
                               reinterpret_cast<uint8_t*>(raw.data()), &rawSize, raw.size())
        != LZMA_OK)
        throw std::runtime_error("lzma");
    return out + raw.substr(0, rawSize);
}

std::string XzOf(const std::string& data)
{
    std::string out(lzma_stream_buffer_bound(data.size()), '\0');
    size_t size = 0;
    if (lzma_easy_buffer_encode(6, LZMA_CHECK_CRC64, nullptr, reinterpret_cast<const uint8_t*>(data.data()),
                                data.size(), reinterpret_cast<uint8_t*>(out.data()), &size, out.size())
        != LZMA_OK)
        throw std::runtime_error("xz");
    out.resize(size);
    return out;
}

std::string ZstdOf(const std::string& data, int frames)
{
    ZSTD_CCtx* c = ZSTD_createCCtx();
    ZSTD_CCtx_setParameter(c, ZSTD_c_contentSizeFlag, 0);
    ZSTD_CCtx_setParameter(c, ZSTD_c_checksumFlag, 1);
    std::string out;
    const size_t piece = data.size() / frames + 1;
    for (size_t at = 0; at < data.size() || (at == 0 && out.empty()); at += piece) {
        const size_t n = std::min(piece, data.size() - at);
        std::string frame(ZSTD_compressBound(n) + 64, '\0');
        ZSTD_inBuffer in{data.data() + at, 0, 0};
        ZSTD_outBuffer o{frame.data(), frame.size(), 0};
        // The size is not known in advance: fed in two calls.
        in.size = n / 2;
        ZSTD_compressStream2(c, &o, &in, ZSTD_e_continue);
        in.size = n;
        if (ZSTD_compressStream2(c, &o, &in, ZSTD_e_end) != 0)
            throw std::runtime_error("zstd");
        out.append(frame.data(), o.pos);
        if (data.empty())
            break;
    }
    ZSTD_freeCCtx(c);
    return out;
}

// ---- Deflate64 ----

namespace {

// Fixed litlen codes: 0-143 8 bits from 0x30, 144-255 9 bits from 0x190,
// 256-279 7 bits from 0, 280-287 8 bits from 0xC0.
void PutFixed(BitWriter& w, unsigned symbol)
{
    if (symbol < 144)
        w.msbFirst(0x30 + symbol, 8);
    else if (symbol < 256)
        w.msbFirst(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        w.msbFirst(symbol - 256, 7);
    else
        w.msbFirst(0xC0 + symbol - 280, 8);
}

} // namespace

Deflate64Writer& Deflate64Writer::stored(const std::string& bytes, bool final)
{
    bits_.bits(final ? 1 : 0, 1).bits(0, 2);
    while (bits_.bitCount() % 8)
        bits_.bits(0, 1);
    bits_.bits(static_cast<uint32_t>(bytes.size()), 16).bits(~static_cast<uint32_t>(bytes.size()) & 0xFFFF, 16);
    for (char c : bytes)
        bits_.byte(static_cast<uint8_t>(c));
    decoded += bytes;
    return *this;
}

Deflate64Writer& Deflate64Writer::fixed(bool final)
{
    bits_.bits(final ? 1 : 0, 1).bits(1, 2);
    return *this;
}

Deflate64Writer& Deflate64Writer::literals(const std::string& bytes)
{
    for (char c : bytes)
        PutFixed(bits_, static_cast<uint8_t>(c));
    decoded += bytes;
    return *this;
}

Deflate64Writer& Deflate64Writer::symbol(unsigned litlen)
{
    PutFixed(bits_, litlen);
    return *this;
}

Deflate64Writer& Deflate64Writer::match(uint32_t length, uint32_t distance, bool viaCode285)
{
    if (viaCode285 || length > 258) {
        PutFixed(bits_, 285);
        bits_.bits(length - 3, 16);
    } else {
        uint32_t base = 3;
        for (unsigned s = 257; s < 285; ++s) {
            const unsigned extra = s < 265 ? 0 : (s - 261) / 4;
            if (length < base + (1u << extra)) {
                PutFixed(bits_, s);
                bits_.bits(length - base, extra);
                break;
            }
            base += 1u << extra;
        }
    }
    uint32_t base = 1;
    for (unsigned code = 0; code < 32; ++code) {
        const unsigned extra = code < 4 ? 0 : code / 2 - 1;
        if (distance < base + (1u << extra)) {
            bits_.msbFirst(code, 5).bits(distance - base, extra);
            break;
        }
        base += 1u << extra;
    }
    for (uint32_t i = 0; i < length; ++i)
        decoded += decoded.size() >= distance ? decoded[decoded.size() - distance] : '?';
    return *this;
}

std::string Deflate64Writer::bytes() const
{
    const std::vector<uint8_t> b = bits_.bytes();
    return std::string(b.begin(), b.end());
}

} // namespace zelvora::zip::test
