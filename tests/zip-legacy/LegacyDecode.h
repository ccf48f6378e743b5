#pragma once
// Runs the decoder that a zip compression method names (1 Shrink, 2-5 Reduce,
// 6 Implode) and returns its status; UnknownMethod for any other method.
#include "zip/Explode.h"
#include "zip/Unreduce.h"
#include "zip/Unshrink.h"

inline zelvora::zip::DecodeStatus decodeLegacy(int method, uint16_t flags, zelvora::zip::InputBlocks& in,
                                               zelvora::zip::OutputBlocks& out, uint64_t uncompressedSize)
{
    if (method == 1)
        return zelvora::zip::Unshrink(in, out, uncompressedSize);
    if (method >= 2 && method <= 5)
        return zelvora::zip::Unreduce(in, out, uncompressedSize, method - 1);
    if (method == 6)
        return zelvora::zip::Explode(in, out, uncompressedSize, flags);
    return zelvora::zip::DecodeStatus::UnknownMethod;
}
