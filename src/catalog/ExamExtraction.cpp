#include "catalog/ExamExtraction.h"

#include "text/Windows1252.h"
#include "zip/TUnZipper.h"

#include <exception>
#include <stdexcept>

namespace zelvora::catalog {

std::string ExamExtraction::SuggestedName(const std::string& organisation,
                                          const std::string& examType, const std::string& year)
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

std::string ExamExtraction::ArchivePath(const std::string& dataFolder,
                                        const std::vector<std::string>& rowArchives, size_t row)
{
    if (row >= rowArchives.size())
        throw std::out_of_range("no archive for this row");
    return ArchivePath(dataFolder, rowArchives[row]);
}

ExamExtractionResult ExamExtraction::Extract(const std::string& archivePath, const std::string& destDir)
{
    ExamExtractionResult result;
    try {
        m_unzipper.SetZipName(archivePath);
        m_unzipper.LoadDirectory();
        m_unzipper.DoAll = true;
        m_unzipper.SetDestDir(destDir);
        m_unzipper.RetainAttributes = true;
        result.extracted = m_unzipper.ExtractFiles();
        result.leftOut = int(m_unzipper.Report().Total());
    } catch (const std::exception& e) {
        result.failed = true;
        result.error = e.what();
    } catch (...) {
        result.failed = true;
        result.error = "unknown error";
    }
    return result;
}

} // namespace zelvora::catalog
