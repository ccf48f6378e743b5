#include "FolderListing.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace zelvora::check {

bool FolderListing::mayExist(const std::string& path)
{
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || name == "." || name == "..")
        return true;
    auto [it, added] = m_folders.try_emplace(folder);
    if (added) {
        std::unordered_set<std::string> names;
        std::error_code ec;
        for (fs::directory_iterator d(folder, ec), end; !ec && d != end; d.increment(ec))
            names.insert(d->path().filename().string());
        // A folder that is not there holds nothing; one that cannot be read
        // is left to the file's own probe.
        if (!ec || ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory)
            it->second = std::move(names);
    }
    return !it->second || it->second->count(name) > 0;
}

} // namespace zelvora::check
