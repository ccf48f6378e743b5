// libFuzzer target: the Implode decoder (any general-purpose flags) on
// arbitrary data.
#include "FuzzEntry.h"
#include "zip/Explode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    using namespace zelvora;
    fuzz::FuzzEntry e;
    if (!fuzz::FuzzEntry::parse(bytes, size, e))
        return 0;
    fuzz::FuzzInput in(e);
    fuzz::FuzzOutput out(e.uncompressedSize);
    try {
        zip::Explode(in, out, e.uncompressedSize, static_cast<uint16_t>(e.parameter | e.parameter << 8));
    } catch (const zip::EFatalUnzipError&) {
        if (!e.truncated)
            std::abort();
    }
    return 0;
}
