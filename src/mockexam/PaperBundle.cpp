#include "mockexam/PaperBundle.h"

#include "mockexam/KeyOverride.h"
#include "mockexam/PaperInfoReader.h"
#include "mockexam/PaperPath.h"
#include "text/DataFile.h"
#include "text/TextList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace zelvora::mockexam {

namespace {

// Where the paper's key and info file are read: beside the PDF, unless the
// user's folder holds an updated key for it.
std::pair<std::string, std::string> KeyFiles(const std::string& folder, const MockExamEntry& entry,
                                             const std::string& updatedKeys)
{
    if (!updatedKeys.empty()) {
        const std::string pdf =
            QFile::encodeName(
                QFileInfo(QFile::decodeName(PaperPath::Resolve(folder, entry.pdfPath).c_str())).absoluteFilePath())
                .toStdString();
        if (const auto key = KeyOverride::Find(updatedKeys, pdf))
            return {*key, KeyOverride::InfoPath(updatedKeys, pdf)};
    }
    return {PaperPath::Resolve(folder, PaperPath::KeyPathFor(entry.pdfPath)),
            PaperPath::Resolve(folder, PaperPath::InfoPathFor(entry.pdfPath))};
}

} // namespace

ResultOf<PaperBundle, PaperCode> PaperBundle::Load(const std::string& folder, const MockExamEntry& entry,
                                                   const std::string& updatedKeys)
{
    PaperBundle paper;
    paper.pdfPath = QFile::decodeName(PaperPath::Resolve(folder, entry.pdfPath).c_str());
    if (!QFileInfo(paper.pdfPath).isFile())
        return ResultOf<PaperBundle, PaperCode>::Fail(PaperCode::NoPaper, paper.pdfPath.toStdString());
    const std::string keyPath = KeyFiles(folder, entry, updatedKeys).first;
    const auto bytes = text::DataFile::Read(keyPath, text::DataFile::KeyCap);
    if (bytes)
        paper.key = text::SplitTextLines(*bytes);
    if (paper.key.empty())
        return ResultOf<PaperBundle, PaperCode>::Fail(PaperCode::NoKey, keyPath);
    paper.keyBytes = QByteArray::fromStdString(*bytes);
    paper.info = ReadInfo(folder, entry, updatedKeys);
    // The data folder the paper's list line came from (its "simu" folder's parent).
    const QString dataFolder = QDir::cleanPath(QFile::decodeName(folder.c_str()) + QStringLiteral("/..")) + '/';
    paper.identity = {QFileInfo(paper.pdfPath).absoluteFilePath(), dataFolder,
                      attempts::PaperIdentity::HashKey(paper.keyBytes)};
    return paper;
}

PaperInfo PaperBundle::ReadInfo(const std::string& folder, const MockExamEntry& entry, const std::string& updatedKeys)
{
    const auto reading = PaperInfoReader::Load(KeyFiles(folder, entry, updatedKeys).second);
    return reading ? reading->info : PaperInfo{};
}

} // namespace zelvora::mockexam
