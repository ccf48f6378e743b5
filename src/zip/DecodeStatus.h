#pragma once
// How the decoders of the newer methods (Deflate64, bzip2, LZMA, XZ,
// Zstandard) end. They report instead of throwing; the errors of the block
// interfaces themselves (archive cut short, disk full) still pass through
// them unchanged. On any status but Success the last, partly filled output
// block is not written, as with Deflate.
namespace zelvora::zip {

enum class DecodeStatus {
    Success,    // the stream ended properly and every byte was written
    BadData,    // the data do not decode (corrupt, or not this method)
    ShortInput, // the compressed bytes ran out before the stream ended
    TooLong,    // the data decode to more than the uncompressed size; the block
                // that would pass it is not written
    NoMemory,   // the stream asks for more memory than the reader allows, or none was had
};

} // namespace zelvora::zip
