#include "app/DataFolders.h"

#include <filesystem>
#include <system_error>

namespace zelvora::app {

namespace {

// The text up to and including its last "/", with a "/" added when missing:
// the folder of a file path.
std::string FolderOf(const std::string& path)
{
    std::string folder;
    if (const auto slash = path.find_last_of('/'); slash != std::string::npos)
        folder = path.substr(0, slash + 1);
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

// "/usr/lib/zelvora/" -> "/usr/lib/"; "/" has no parent and gives "".
std::string ParentOf(const std::string& folder)
{
    if (folder.size() <= 1)
        return {};
    return FolderOf(folder.substr(0, folder.size() - 1));
}

bool IsFolder(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

} // namespace

std::vector<std::string> InstalledDataFolderCandidates(const std::string& executablePath)
{
    const std::string folder = FolderOf(executablePath);
    std::vector<std::string> candidates{folder + "dados/"};
    std::string prefix = folder;
    for (int level = 0; level < 2; ++level) {
        prefix = ParentOf(prefix);
        if (prefix.empty())
            break;
        candidates.push_back(prefix + "share/zelvora/dados/");
    }
    return candidates;
}

DataFolders ComputeDataFolders(const std::string& executablePath)
{
    const auto candidates = InstalledDataFolderCandidates(executablePath);
    DataFolders f;
    f.dataFolder = candidates.front();
    for (const auto& candidate : candidates) {
        if (IsFolder(candidate)) {
            f.dataFolder = candidate;
            break;
        }
    }
    f.mockExamFolder = f.dataFolder + "simu/";
    return f;
}

} // namespace zelvora::app
