#pragma once
// The data folder checker: loads a "dados" folder exactly as the program
// does (the catalog, the mock-exam list and keys, the skins, every archive
// the catalog names) and reports what a user would trip on. It only reads
// the folder; archives are test-extracted into a temporary folder elsewhere.
#include "CheckReport.h"

#include <string>

namespace zelvora::text {
class Collation;
} // namespace zelvora::text

namespace zelvora::check {

class FolderListing;
class ImageProbe;
class ProblemLog;

class DataFolderCheck {
public:
    // scratchRoot: an existing folder, outside the data folder, under which a
    // temporary folder is made for each archive's test extraction.
    DataFolderCheck(const text::Collation& collation, const ImageProbe& images, std::string scratchRoot);

    // dataFolder: the "dados" folder (with or without a trailing "/").
    CheckReport Run(std::string dataFolder) const;

private:
    void CheckCatalog(const std::string& dataFolder, CheckReport& report, ProblemLog& log) const;
    void CheckArchive(const std::string& dataFolder, const std::string& archiveName, const std::string& exam,
                      FolderListing& listing, ProblemLog& log) const;
    void CheckMockExams(const std::string& mockExamFolder, CheckReport& report, ProblemLog& log) const;
    void CheckSkins(const std::string& dataFolder, ProblemLog& log) const;

    const text::Collation& m_collation;
    const ImageProbe& m_images;
    std::string m_scratchRoot;
};

} // namespace zelvora::check
