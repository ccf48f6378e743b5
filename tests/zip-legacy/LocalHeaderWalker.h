#pragma once
// Walks the local headers of a zip archive from its first byte, as far as they
// go: enough to reach every entry's compressed bytes in the PKZIP archives of
// the shared test data, whose local headers carry the sizes.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct LocalEntry {
    std::string name;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    size_t dataOffset = 0; // of the compressed bytes in the archive
};

class LocalHeaderWalker {
public:
    // Entries in archive order; stops at the first record that is not a
    // local header. error() tells why a walk stopped early.
    static std::vector<LocalEntry> walk(std::span<const uint8_t> archive, std::string* error = nullptr);
};
