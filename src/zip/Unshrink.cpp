#include "zip/Unshrink.h"

#include "zip/ZipErrors.h"

namespace zelvora::zip {

void Unshrink(InputBlocks&, OutputBlocks&, uint64_t)
{
    throw ZipError("Unshrink: not written yet");
}

} // namespace zelvora::zip
