#pragma once
// The Qt-free half of copying an exam: which archive a catalog row names,
// the folder name suggested for it, and the fixed sequence of calls that has
// the zip reader write the archive's files into the chosen folder.
#include <cstddef>
#include <string>
#include <vector>

namespace zelvora::zip {
class TUnZipper;
} // namespace zelvora::zip

namespace zelvora::catalog {

struct CatalogEntry;

// How one copy ended.
struct ExamExtractionResult {
    bool failed = false; // an error left the zip reader
    std::string error; // its message, when failed
    int extracted = 0; // the reader's count of extracted entries
    int leftOut = 0; // file entries the reader left out (encrypted, not
        // created, CRC mismatch, damaged, overlapping,
        // method not decoded)

    // The user is told "Erro ao copiar o arquivo." both when the reader
    // failed and when it silently dropped files: an incomplete copy must not
    // pass for a complete one.
    bool complete() const { return !failed && leftOut == 0; }
};

class ExamExtraction {
public:
    explicit ExamExtraction(zip::TUnZipper& unzipper) : m_unzipper(unzipper) {}

    // "ORG - TYPE - YEAR" (organisation, exam type, year), as the save dialog
    // suggests it. Works on any text encoding: it only joins the fields.
    static std::string SuggestedName(const std::string& organisation, const std::string& examType,
                                     const std::string& year);

    // The archive of a row: dataFolder (UTF-8, ending in "/") followed by the
    // row's Windows-1252 archive name converted to UTF-8 with every "\" made a
    // "/". Throws std::out_of_range when the row has no archive name.
    static std::string ArchivePath(const std::string& dataFolder, const std::vector<std::string>& rowArchives,
                                   size_t row);
    static std::string ArchivePath(const std::string& dataFolder, const std::string& archiveName);

    // Drives the reader through its fixed sequence (zip::ExtractArchive).
    // Every error of the reader ends up in the result; never throws for a bad
    // archive or destination.
    ExamExtractionResult Extract(const std::string& archivePath, const std::string& destDir);

private:
    zip::TUnZipper& m_unzipper;
};

} // namespace zelvora::catalog
