// libFuzzer target: the bzip2, LZMA, XZ and Zstandard paths (the libraries
// and the zip reader's handling around them) on arbitrary data. The decoder
// parameter picks the method: low 2 bits 0 bzip2, 1 LZMA, 2 XZ, 3 Zstandard;
// bit 2 is general flag bit 1 for LZMA (end-of-stream mark).
#include "FuzzEntry.h"
#include "zip/Bzip2Decoder.h"
#include "zip/LzmaDecoder.h"
#include "zip/ZstdDecoder.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    using namespace zelvora;
    return fuzz::RunDecoder(bytes, size, [](fuzz::FuzzInput& in, fuzz::FuzzOutput& out, const fuzz::FuzzEntry& e) {
        std::vector<uint8_t> block(zip::kBlockSize);
        zip::DecodeStatus status;
        switch (e.parameter & 3) {
        case 0:
            status = zip::DecodeBzip2(in, out, block.data(), e.uncompressedSize);
            break;
        case 1:
            status = zip::DecodeLzma(in, out, block.data(), e.uncompressedSize, (e.parameter & 4) ? 0x2 : 0);
            break;
        case 2:
            status = zip::DecodeXz(in, out, block.data(), e.uncompressedSize);
            break;
        default:
            status = zip::DecodeZstd(in, out, block.data(), e.uncompressedSize);
            break;
        }
        // Longer or shorter than declared: the CRC check's business.
        if (status == zip::DecodeStatus::TooLong
            || (status == zip::DecodeStatus::Success && out.written() != e.uncompressedSize))
            return zip::DecodeStatus::BadData;
        return status;
    });
}
