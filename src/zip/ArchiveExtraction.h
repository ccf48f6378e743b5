#pragma once
// The one sequence of calls that has the zip component write an archive's
// files into a folder, shared by the exam copy and zelvora-unzip: ZipName,
// LoadDirectory, DoAll, DestDir, RetainAttributes, ExtractFiles. Every error
// of the component ends up in the result; nothing is thrown.
#include "zip/TExtractReport.h"

#include <string>

namespace zelvora::zip {

class TUnZipper;

struct ArchiveExtraction {
    bool failed = false; // an error left the component: the archive could not be
        // read, the folder not created, a file not written
    std::string error; // its message, when failed
    int extracted = 0; // the component's count (directory entries included)
    TExtractReport report; // file entries written and left out, by reason

    // Every file entry written and nothing failed.
    bool complete() const { return !failed && report.Total() == 0; }
};

// Runs the sequence on unzipper, which keeps its other settings.
ArchiveExtraction ExtractArchive(TUnZipper& unzipper, const std::string& archivePath, const std::string& destDir);

} // namespace zelvora::zip
