#include "zip/Unreduce.h"

#include "zip/ZipErrors.h"

namespace zelvora::zip {

void Unreduce(InputBlocks&, OutputBlocks&, uint64_t, int)
{
    throw ZipError("Unreduce: not written yet");
}

} // namespace zelvora::zip
