#pragma once
// The end-of-central-directory record of an archive (with the values of a
// ZIP64 end record when the archive has one).
#include <cstdint>
#include <optional>
#include <string>

namespace zelvora::zip {

struct TEndCentral {
    uint32_t numberOfThisDisk = 0;
    uint32_t centralDirectoryDisk = 0;
    uint64_t entriesOnThisDisk = 0;
    uint64_t totalEntries = 0;
    uint64_t centralDirectorySize = 0;
    uint64_t centralDirectoryOffset = 0;
    uint16_t commentLength = 0;
    std::optional<std::string> comment;
    // File offset just past the fixed 22 bytes of the record.
    uint64_t commentPosition = 0;
};

} // namespace zelvora::zip
