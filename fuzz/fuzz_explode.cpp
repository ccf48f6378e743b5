// libFuzzer target: the Implode decoder (any general-purpose flags) on
// arbitrary data.
#include "FuzzEntry.h"
#include "zip/Explode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    using namespace zelvora;
    return fuzz::RunDecoder(bytes, size, [](fuzz::FuzzInput& in, fuzz::FuzzOutput& out, const fuzz::FuzzEntry& e) {
        return zip::Explode(in, out, e.uncompressedSize, static_cast<uint16_t>(e.parameter | e.parameter << 8));
    });
}
