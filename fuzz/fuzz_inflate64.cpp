// libFuzzer target: the Deflate64 decoder on arbitrary data.
#include "FuzzEntry.h"
#include "zip/Inflate64.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    using namespace zelvora;
    return fuzz::RunDecoder(bytes, size, [](fuzz::FuzzInput& in, fuzz::FuzzOutput& out, const fuzz::FuzzEntry& e) {
        const zip::DecodeStatus status = zip::Inflate64(in, out, e.uncompressedSize);
        // A stream longer or shorter than the declared size is the CRC
        // check's business: here it counts as data that do not fit.
        if (status == zip::DecodeStatus::TooLong
            || (status == zip::DecodeStatus::Success && out.written() != e.uncompressedSize))
            return zip::DecodeStatus::BadData;
        return status;
    });
}
