#pragma once
// Writes zip archives byte by byte for the tests, so that every field can be
// set to a value no real tool would write: lying sizes, wrong CRCs, headers
// pointing at one another, missing extra fields, fake end records.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvora::zip::test {

struct ZipBuilderEntry {
    std::string name; // stored name, bytes as they go into the archive
    std::string data; // the uncompressed content
    uint16_t method = 0; // 0 stores data; 8 deflates it; any other: see raw
    std::optional<std::string> raw; // the compressed bytes as written (default: from data and method)
    uint16_t flags = 0; // general-purpose bits (0 encrypted, 3 descriptor, 11 UTF-8)
    uint16_t versionMadeBy = 20; // high byte = host: 0 MS-DOS, 3 Unix
    uint16_t versionNeeded = 20; // 2.0
    uint32_t dosDateTime = 0x5A210000; // date high word (2025-01-01), time low word (00:00:00)
    uint32_t externalAttributes = 0; // MS-DOS bits in the low byte, Unix mode in the high word
    std::optional<uint32_t> crc; // default: CRC-32 of data
    std::optional<uint32_t> compressedSize; // default: size of the written bytes
    std::optional<uint32_t> uncompressedSize; // default: size of data
    std::string centralExtra; // extra field of the central header
    std::string localExtra; // extra field of the local header
    // Central extra-field length declared but no byte of it written (a
    // fault of some old writers).
    std::optional<uint16_t> phantomCentralExtra;
    // Index of another entry whose local header this entry's central header
    // points at (two entries with the same local header).
    int sharesLocalOf = -1;
};

class ZipBuilder {
public:
    std::vector<ZipBuilderEntry> entries;
    std::string prefix; // bytes before the first local header (a self-extractor stub)
    std::string comment; // archive comment after the end record
    std::vector<size_t> centralOrder; // order of the central headers (default: entry order)
    uint16_t numberOfThisDisk = 0; // end record: number of this disk
    bool zip64EndRecord = false; // write a ZIP64 end record and locator, 0xFFFF/0xFFFFFFFF in the end record
    bool writeCentral = true; // false: local headers and data only, no directory

    // The whole archive; localOffsets receives each entry's local header offset.
    std::string Build(std::vector<uint32_t>* localOffsets = nullptr) const;
};

std::string RawDeflate(const std::string& data, int level = 6);
uint32_t Crc32Of(const std::string& data);
void Put16(std::string& out, uint16_t v);
void Put32(std::string& out, uint32_t v);
void Put64(std::string& out, uint64_t v);
// A 0x0001 extra field with the given 64-bit values.
std::string Zip64Extra(const std::vector<uint64_t>& values);

} // namespace zelvora::zip::test
