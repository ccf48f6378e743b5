#pragma once
// Which names the folders of a data folder hold, each folder read once. The
// checker asks after three files per paper (PDF, key, info file), and a list
// of a million papers whose files are mostly missing would ask the file
// system three million times about names it does not have; each such question
// also leaves an entry in the kernel's name cache that makes the next ones
// slower. With the listing at hand a missing name is known at once.
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace zelvora::check {

class FolderListing {
public:
    // False only when the folder of path could be read and holds no entry of
    // path's last name; true when it does, or when the folder cannot be read
    // (then only opening the file tells).
    bool mayExist(const std::string& path);

private:
    // Nothing for a folder that could not be read.
    std::unordered_map<std::string, std::optional<std::unordered_set<std::string>>> m_folders;
};

} // namespace zelvora::check
