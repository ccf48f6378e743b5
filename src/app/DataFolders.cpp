#include "app/DataFolders.h"

#include <algorithm>

namespace zelvora::app {

namespace {

std::string FolderOf(const std::string& path)
{
    std::string folder;
    if (const auto slash = path.find_last_of('/'); slash != std::string::npos)
        folder = path.substr(0, slash + 1);
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

} // namespace

DataFolders ComputeDataFolders(const std::string& executablePath)
{
    DataFolders f;
    f.dataFolder = FolderOf(executablePath) + "dados/";
    f.mockExamFolder = f.dataFolder + "simu/";
    return f;
}

std::string WithTrailingSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::vector<std::string> InstalledFolderCandidates(const std::string& executablePath)
{
    std::vector<std::string> out{ComputeDataFolders(executablePath).dataFolder};
    // The install prefix: the program sits in <prefix>/bin or, as the
    // package puts it, in <prefix>/lib/zelvora.
    std::string folder = FolderOf(executablePath);
    folder.pop_back();
    auto cut = [&folder](const std::string& last) {
        const auto slash = folder.find_last_of('/');
        if (slash == std::string::npos || folder.substr(slash + 1) != last)
            return false;
        folder.erase(slash);
        return true;
    };
    if (cut("bin") || (cut("zelvora") && cut("lib")))
        out.push_back(folder + "/share/zelvora/dados/");
    return out;
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
