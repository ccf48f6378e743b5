#include "app/DataFolders.h"

#include <algorithm>
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

std::string WithTrailingSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

const DataSource* DataSourceChoice::userSource() const
{
    const auto it = std::find_if(sources.begin(), sources.end(), [](const DataSource& s) { return s.user; });
    return it == sources.end() ? nullptr : &*it;
}

DataSourceChoice ChooseDataSources(const DataSourceRequest& request,
                                   const std::function<bool(const std::string&)>& folderExists)
{
    DataSourceChoice choice;
    if (!request.fixedFolder.empty()) {
        choice.fixed = true;
        const std::string folder = WithTrailingSlash(request.fixedFolder);
        choice.lookedAt.push_back(folder);
        if (folderExists(folder))
            choice.sources.push_back({folder, false});
        return choice;
    }
    bool anyExists = false;
    if (!request.userFolder.empty()) {
        const std::string user = WithTrailingSlash(request.userFolder);
        choice.lookedAt.push_back(user);
        choice.sources.push_back({user, true});
        anyExists = folderExists(user);
    }
    for (const auto& candidate : request.installedFolders) {
        const std::string folder = WithTrailingSlash(candidate);
        choice.lookedAt.push_back(folder);
        if (folderExists(folder)) {
            choice.sources.push_back({folder, false});
            anyExists = true;
            break;
        }
    }
    if (!anyExists)
        choice.sources.clear();
    return choice;
}

std::string FirstFolderWith(const std::vector<DataSource>& sources, const std::string& fileName,
                            const std::function<bool(const std::string&)>& fileExists)
{
    for (const auto& s : sources)
        if (fileExists(s.folder + fileName))
            return s.folder;
    return sources.empty() ? std::string() : sources.back().folder;
}

std::string FixedFolderFrom(const std::vector<std::string>& arguments, const std::string& envValue)
{
    static const std::string option = "--dados";
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == option && i + 1 < arguments.size())
            return arguments[i + 1];
        if (a.rfind(option + "=", 0) == 0)
            return a.substr(option.size() + 1);
    }
    return envValue;
}

} // namespace zelvora::app
