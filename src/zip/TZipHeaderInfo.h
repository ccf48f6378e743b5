#pragma once
// One entry of an archive's directory.
#include <cstdint>
#include <optional>
#include <string>

namespace zelvora::zip {

struct TZipHeaderInfo {
    uint16_t versionMadeBy = 0;
    uint16_t versionNeeded = 0;
    uint16_t flags = 0;
    uint16_t method = 0;
    // MS-DOS time in the low word, MS-DOS date in the high word; always
    // held clamped (ClampDosDateTime).
    uint32_t dateTime = 0;
    uint32_t crc = 0;
    // The 32-bit fields read unsigned, replaced by their ZIP64 values when
    // the entry carries them.
    uint64_t compressedSize = 0;
    uint64_t uncompressedSize = 0;
    uint16_t fileNameLength = 0;
    uint16_t centralExtraLength = 0;
    uint16_t localExtraLength = 0;
    uint16_t commentLength = 0;
    uint32_t diskNumberStart = 0;
    uint16_t internalAttributes = 0;
    uint32_t externalAttributes = 0;
    uint64_t localHeaderOffset = 0;
    uint64_t centralHeaderOffset = 0;
    // The stored name, "/" turned into "\", split after its last "\" or ":".
    std::string fileName;
    std::string directory;
    std::optional<std::string> comment;
    bool selected = false;

    bool IsEncrypted() const { return flags & 0x0001; }
    bool HasDataDescriptor() const { return flags & 0x0008; }
    // Flag bit 11: name (and comment) are UTF-8.
    bool IsUtf8() const { return flags & 0x0800; }
    // The host system that made the entry (0 = MS-DOS, 3 = Unix, ...).
    unsigned HostSystem() const { return versionMadeBy >> 8; }
    bool IsDirectory() const { return fileName.empty(); }
};

} // namespace zelvora::zip
