#pragma once
// Why file entries of the last extraction were left out. Directory entries
// never appear here; an extraction ended by an error reports what it had
// seen up to then.
namespace zelvora::zip {

struct TExtractReport {
    unsigned encrypted = 0;        // flag bit 0: no password in this program
    unsigned notCreated = 0;       // the file could not be created (read-only file in the way, bad name, ...)
    unsigned crcMismatch = 0;      // damaged data: the written file failed its CRC check and was deleted
    unsigned methodNotDecoded = 0; // a compression method this reader does not decode

    unsigned Total() const { return encrypted + notCreated + crcMismatch + methodNotDecoded; }
};

} // namespace zelvora::zip
