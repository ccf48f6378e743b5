#include "zip/Explode.h"

#include "zip/ZipErrors.h"

namespace zelvora::zip {

void Explode(InputBlocks&, OutputBlocks&,  8 KiB dictionary, bit 2: literal tree):uint64_t, uint16_t)
{
    throw ZipError("Explode: not written yet");
}

} // namespace zelvora::zip
