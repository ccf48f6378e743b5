#include "zip/ArchiveExtraction.h"

#include "zip/TUnZipper.h"

#include <exception>

namespace zelvora::zip {

ArchiveExtraction ExtractArchive(TUnZipper& unzipper, const std::string& archivePath, const std::string& destDir)
{
    ArchiveExtraction result;
    bool extracting = false;
    try {
        unzipper.SetZipName(archivePath);
        unzipper.LoadDirectory();
        unzipper.DoAll = true;
        unzipper.SetDestDir(destDir);
        unzipper.RetainAttributes = true;
        extracting = true;
        result.extracted = unzipper.ExtractFiles();
    } catch (const std::exception& e) {
        result.failed = true;
        result.error = e.what();
    }
    // What the extraction saw, also up to an error that ended it.
    if (extracting)
        result.report = unzipper.Report();
    return result;
}

} // namespace zelvora::zip
