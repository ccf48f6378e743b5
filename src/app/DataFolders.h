#pragma once
// Where the program reads its content: the "dados" folder beside the
// executable, and its "simu" sub-folder for the mock exams.
#include <string>

namespace zelvora::app {

struct DataFolders {
    std::string dataFolder;     // always ends in "/"
    std::string mockExamFolder; // dataFolder + "simu/"
};

// executablePath is the full path of the running program (links resolved).
// Cuts it after its last "/", adds "/" only when missing, then "dados/".
DataFolders ComputeDataFolders(const std::string& executablePath);

} // namespace zelvora::app
