#pragma once
// Deflate (RFC 1951) decoding of one entry on zlib's raw inflate.
#include "zip/DecodeStreams.h"
#include "zip/TUnZipperCallbacks.h"

namespace zelvora::zip {

// Decodes the deflated data of in into out, gathering output in blocks of
// kBlockSize bytes in outBlock (which must hold that many). Returns true
// when the deflate stream ended and every byte was written. Any error
// (corrupt data, the archive ending early, a short write, output past the
// uncompressed size, no memory) ends decoding quietly with false, and the
// last, partly filled block is then not written. When zlib finds no memory,
// the box "*** inflate out of memory ***" / "Error" is shown first.
bool Inflate(InputBlocks& in, OutputBlocks& out, uint8_t* outBlock, const TUnZipperCallbacks& callbacks);

} // namespace zelvora::zip
