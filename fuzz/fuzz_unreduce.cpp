// libFuzzer target: the Reduce decoder (factor 1 to 4) on arbitrary data.
#include "FuzzEntry.h"
#include "zip/Unreduce.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    using namespace zelvora;
    fuzz::FuzzEntry e;
    if (!fuzz::FuzzEntry::parse(bytes, size, e))
        return 0;
    fuzz::FuzzInput in(e);
    fuzz::FuzzOutput out(e.uncompressedSize);
    try {
        zip::Unreduce(in, out, e.uncompressedSize, 1 + e.parameter % 4);
    } catch (const zip::EFatalUnzipError&) {
        if (!e.truncated)
            std::abort();
    }
    return 0;
}
