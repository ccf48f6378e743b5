#pragma once
// What the last extraction did with the file entries: how many it wrote and,
// for those it left out, why. Directory entries never appear here; an
// extraction ended by an error reports what it had seen up to then.
namespace zelvora::zip {

struct TExtractReport {
    unsigned written = 0; // file entries written and kept

    // Left out, by reason:
    unsigned encrypted = 0; // flag bit 0: no password in this program
    unsigned notCreated = 0; // the file could not be created (read-only file in the way, bad name, ...)
    unsigned crcMismatch = 0; // the data decoded, but the written file failed its CRC check and was deleted
    unsigned damaged = 0; // the data do not decode, are longer than declared or run past the
        // end of the archive; nothing of it is kept
    unsigned overlapping = 0; // the entry's bytes overlap another entry's (a zip bomb): nothing written
    unsigned methodNotDecoded = 0; // a compression method this reader does not decode

    unsigned Total() const { return encrypted + notCreated + crcMismatch + damaged + overlapping + methodNotDecoded; }
};

} // namespace zelvora::zip
