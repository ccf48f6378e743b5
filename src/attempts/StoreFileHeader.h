#pragma once
// What the first hundred bytes of an SQLite file say, read without SQLite, so
// a file the program must not change is looked at before any connection could
// switch its journal mode or bump its change counter. Qt-free.
#include <cstdint>
#include <optional>
#include <string>

namespace zelvora::attempts {

class StoreFileHeader {
public:
    // The header of the file at path; nothing when the file is shorter than a
    // header or does not start with SQLite's magic string.
    static std::optional<StoreFileHeader> Read(const std::string& path);
    // The same from the file's first bytes.
    static std::optional<StoreFileHeader> Parse(const std::string& bytes);

    // PRAGMA user_version as last checkpointed into the file (a WAL file may
    // hold a newer one).
    int32_t userVersion = 0;
    // Both format bytes are 2 in WAL mode, 1 in rollback-journal mode.
    bool wal = false;
};

} // namespace zelvora::attempts
