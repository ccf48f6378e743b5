// libFuzzer target: the Deflate64 decoder on arbitrary data.
#include "FuzzEntry.h"
#include "zip/Inflate64.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    using namespace zelvora;
    return fuzz::RunDecoder(bytes, size, [](fuzz::FuzzInput& in, fuzz::FuzzOutput& out, const fuzz::FuzzEntry& e) {
        const zip::DecodeStatus status = zip::Inflate64(in, out, e.uncompressedSize);
        // Success means the whole stream was decoded within the size.
        if (status == zip::DecodeStatus::Success && out.written() > e.uncompressedSize)
            std::abort();
    });
}
