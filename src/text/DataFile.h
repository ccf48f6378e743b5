#pragma once
// Reading one file of the data folder safely. The folder may hold anything
// in place of a file: a named pipe (opening it for reading would wait for a
// writer forever), a device or a link to one (/dev/zero never ends), a folder,
// or a file far larger than any real one. A data file is accepted only when it
// is a regular file after following links and not larger than a cap that no
// real file of its kind reaches; it is opened without blocking and never read
// past that cap. Anything else counts as the file being missing or unreadable.
#include <cstdint>
#include <optional>
#include <string>

namespace zelvora::text {

enum class DataFileStatus {
    Ok,
    Missing, // nothing of that name (a dangling link included)
    NotAFile, // a folder, a pipe, a device, a socket
    TooLarge, // larger than the cap for its kind
    Unreadable, // no permission, or a read error
};

class DataFile {
public:
    // Caps per kind of file. The real files are far smaller: a catalog of a
    // thousand exams is about 100 KiB, an answer key a few hundred bytes, a
    // skin picture a few hundred KiB, an exam paper some tens of MiB.
    static constexpr uint64_t CatalogCap = uint64_t(64) << 20;
    static constexpr uint64_t ListCap = uint64_t(64) << 20;
    static constexpr uint64_t KeyCap = uint64_t(1) << 20;
    static constexpr uint64_t SkinCap = uint64_t(32) << 20;
    static constexpr uint64_t PaperCap = uint64_t(512) << 20;

    // What stands at path, without opening it: Ok only for a regular file
    // (after following links) of at most cap bytes.
    static DataFileStatus Probe(const std::string& path, uint64_t cap);

    // The whole content of the file at path, or nothing (with the reason in
    // status when given). Never blocks on a pipe or device, never holds more
    // than cap bytes.
    static std::optional<std::string> Read(const std::string& path, uint64_t cap, DataFileStatus* status = nullptr);
};

} // namespace zelvora::text
