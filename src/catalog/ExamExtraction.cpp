#include "catalog/ExamExtraction.h"

#include "text/Windows1252.h"
#include "zip/ArchiveExtraction.h"

#include <stdexcept>

namespace zelvora::catalog {

std::string ExamExtraction::SuggestedName(const std::string& organisation, const std::string& examType,
                                          const std::string& year)
{
    return organisation + " - " + examType + " - " + year;
}

std::string ExamExtraction::ArchivePath(const std::string& dataFolder, const std::string& archiveName)
{
    std::string name = text::Cp1252ToUtf8(archiveName);
    for (char& c : name)
        if (c == '\\')
            c = '/';
    return dataFolder + name;
}

std::string ExamExtraction::ArchivePath(const std::string& dataFolder, const std::vector<std::string>& rowArchives,
                                        size_t row)
{
    if (row >= rowArchives.size())
        throw std::out_of_range("no archive for this row");
    return ArchivePath(dataFolder, rowArchives[row]);
}

ExamExtractionResult ExamExtraction::Extract(const std::string& archivePath, const std::string& destDir)
{
    const zip::ArchiveExtraction run = zip::ExtractArchive(m_unzipper, archivePath, destDir);
    ExamExtractionResult result;
    result.failed = run.failed;
    result.error = run.error;
    result.extracted = run.extracted;
    result.leftOut = int(run.report.Total());
    return result;
}

} // namespace zelvora::catalog
