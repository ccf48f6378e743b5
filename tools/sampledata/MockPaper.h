#pragma once
// One paper of the sample mock-exam list ("simu/lista.txt").
#include "PaperInfo.h"

#include <string>
#include <vector>

namespace zelvora::sampledata {

struct MockPaper {
    std::string displayName; // UTF-8; written in Windows-1252
    std::string pdfPath; // as the list writes it, "\" between folders
    PaperInfo info;
    int questions = 0;
    std::vector<int> annulled{}; // questions the board annulled (named in the info file only)
    // The board's scoring lines of the info file (blocks, minimums, cut-off),
    // written after the subjects; UTF-8.
    std::vector<std::string> boardRules{};
};

} // namespace zelvora::sampledata
