// libFuzzer target: the Shrink decoder on arbitrary data.
#include "FuzzEntry.h"
#include "zip/Unshrink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    using namespace zelvora;
    return fuzz::RunDecoder(bytes, size, [](fuzz::FuzzInput& in, fuzz::FuzzOutput& out, const fuzz::FuzzEntry& e) {
        return zip::Unshrink(in, out, e.uncompressedSize);
    });
}
