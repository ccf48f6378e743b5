#include "LocalHeaderWalker.h"

namespace {

uint16_t le16(std::span<const uint8_t> b, size_t at)
{
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

uint32_t le32(std::span<const uint8_t> b, size_t at)
{
    return uint32_t{le16(b, at)} | uint32_t{le16(b, at + 2)} << 16;
}

} // namespace

std::vector<LocalEntry> LocalHeaderWalker::walk(std::span<const uint8_t> archive, std::string* error)
{
    std::vector<LocalEntry> entries;
    size_t at = 0;
    while (at + 30 <= archive.size() && le32(archive, at) == 0x04034b50) {
        LocalEntry e;
        e.flags = le16(archive, at + 6);
        e.method = le16(archive, at + 8);
        e.crc = le32(archive, at + 14);
        e.compressedSize = le32(archive, at + 18);
        e.uncompressedSize = le32(archive, at + 22);
        const size_t nameLength = le16(archive, at + 26);
        const size_t extraLength = le16(archive, at + 28);
        if ((e.flags & 0x8) != 0) {
            if (error)
                *error = "sizes in a data descriptor";
            break;
        }
        e.dataOffset = at + 30 + nameLength + extraLength;
        if (e.dataOffset + e.compressedSize > archive.size()) {
            if (error)
                *error = "entry runs past the end of the archive";
            break;
        }
        e.name.assign(reinterpret_cast<const char*>(archive.data() + at + 30), nameLength);
        entries.push_back(e);
        at = e.dataOffset + e.compressedSize;
    }
    return entries;
}
