#pragma once
// How the decoding of one entry's data ended. Every decoder (stored, Shrink,
// Reduce, Implode, Deflate and any method added later) returns one of these
// instead of throwing; TUnZipper alone turns them into the outcome of the
// entry: kept, left out for a reason of the report, or the end of the whole
// extraction.
namespace zelvora::zip {

enum class DecodeStatus {
    Success, // every byte decoded and written
    BadData, // the data do not decode, or they end before the decoded data do
    TruncatedInput, // the archive ends before the entry's compressed bytes do
    TooLong, // the output would pass the entry's uncompressed size; that block was not written
    WriteFailed, // the output file took fewer bytes than given (a full disk, a size limit)
    NoMemory, // the decoder's tables could not be had
    UnknownMethod, // a compression method this reader does not decode; nothing written
};

// True for the statuses after which the written bytes are not the entry's
// data: they come from the data themselves, not from the output file.
constexpr bool IsDamaged(DecodeStatus s)
{
    return s == DecodeStatus::BadData || s == DecodeStatus::TruncatedInput || s == DecodeStatus::TooLong;
}

} // namespace zelvora::zip
