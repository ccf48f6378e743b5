#pragma once
// Runs the decoder that a zip compression method names (1 Shrink, 2-5 Reduce,
// 6 Implode); false for any other method.
#include "zip/Explode.h"
#include "zip/Unreduce.h"
#include "zip/Unshrink.h"

inline bool decodeLegacy(int method, uint16_t flags, zelvora::zip::InputBlocks& in,
                         zelvora::zip::OutputBlocks& out, uint64_t uncompressedSize)
{
    if (method == 1)
        zelvora::zip::Unshrink(in, out, uncompressedSize);
    else if (method >= 2 && method <= 5)
        zelvora::zip::Unreduce(in, out, uncompressedSize, method - 1);
    else if (method == 6)
        zelvora::zip::Explode(in, out, uncompressedSize, flags);
    else
        return false;
    return true;
}
