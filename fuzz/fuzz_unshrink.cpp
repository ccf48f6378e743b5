// libFuzzer target: the Shrink decoder on arbitrary data.
#include "FuzzEntry.h"
#include "zip/Unshrink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    using namespace zelvora;
    fuzz::FuzzEntry e;
    if (!fuzz::FuzzEntry::parse(bytes, size, e))
        return 0;
    fuzz::FuzzInput in(e);
    fuzz::FuzzOutput out(e.uncompressedSize);
    try {
        zip::Unshrink(in, out, e.uncompressedSize);
    } catch (const zip::EFatalUnzipError&) {
        if (!e.truncated)
            std::abort();
    }
    return 0;
}
