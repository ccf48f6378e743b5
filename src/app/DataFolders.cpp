#include "app/DataFolders.h"

namespace zelvora::app {

DataFolders ComputeDataFolders(const std::string& executablePath)
{
    std::string folder;
    if (const auto slash = executablePath.find_last_of('/'); slash != std::string::npos)
        folder = executablePath.substr(0, slash + 1);
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    DataFolders f;
    f.dataFolder = folder + "dados/";
    f.mockExamFolder = f.dataFolder + "simu/";
    return f;
}

} // namespace zelvora::app
