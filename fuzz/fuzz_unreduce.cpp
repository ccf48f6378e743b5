// libFuzzer target: the Reduce decoder (factor 1 to 4) on arbitrary data.
#include "FuzzEntry.h"
#include "zip/Unreduce.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    using namespace zelvora;
    return fuzz::RunDecoder(bytes, size, [](fuzz::FuzzInput& in, fuzz::FuzzOutput& out, const fuzz::FuzzEntry& e) {
        return zip::Unreduce(in, out, e.uncompressedSize, 1 + e.parameter % 4);
    });
}
