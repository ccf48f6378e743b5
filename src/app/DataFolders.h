#pragma once
// Where the program reads its content: the "dados" folder beside the
// executable, and its "simu" sub-folder for the mock exams. An installed
// program whose folder holds no "dados" reads the one its package put under
// <prefix>/share/zelvora/dados.
#include <string>
#include <vector>

namespace zelvora::app {

struct DataFolders {
    std::string dataFolder;     // always ends in "/"
    std::string mockExamFolder; // dataFolder + "simu/"
};

// The folders that may hold the installed data folder, most wanted first,
// each ending in "/". executablePath is the full path of the running program
// (links resolved). The first is the executable's folder followed by
// "dados/"; then "share/zelvora/dados/" under the executable folder's parent
// and grandparent, which covers <prefix>/bin/zelvora and
// <prefix>/lib/zelvora/zelvora.
std::vector<std::string> InstalledDataFolderCandidates(const std::string& executablePath);

// The first candidate above that is an existing folder; the first candidate
// (the folder beside the program) when none is, so a missing data folder is
// reported at the place the program is documented to read.
DataFolders ComputeDataFolders(const std::string& executablePath);

} // namespace zelvora::app
