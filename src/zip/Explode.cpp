#include "zip/Explode.h"

#include "zip/ZipErrors.h"

namespace zelvora::zip {

void Explode(InputBlocks&, OutputBlocks&, uint64_t, uint16_t)
{
    throw ZipError("Explode: not written yet");
}

} // namespace zelvora::zip
