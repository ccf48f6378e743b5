#include "mockexam/PaperBundle.h"

#include "mockexam/PaperInfoReader.h"
#include "mockexam/PaperPath.h"
#include "text/DataFile.h"
#include "text/TextList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zelvora::mockexam {

ResultOf<PaperBundle, PaperCode> PaperBundle::Load(const std::string& folder, const MockExamEntry& entry)
{
    PaperBundle paper;
    paper.pdfPath = QFile::decodeName(PaperPath::Resolve(folder, entry.pdfPath).c_str());
    if (!QFileInfo(paper.pdfPath).isFile())
        return ResultOf<PaperBundle, PaperCode>::Fail(PaperCode::NoPaper, paper.pdfPath.toStdString());
    const std::string keyPath = PaperPath::Resolve(folder, PaperPath::KeyPathFor(entry.pdfPath));
    const auto bytes = text::DataFile::Read(keyPath, text::DataFile::KeyCap);
    if (bytes)
        paper.key = text::SplitTextLines(*bytes);
    if (paper.key.empty())
        return ResultOf<PaperBundle, PaperCode>::Fail(PaperCode::NoKey, keyPath);
    paper.keyBytes = QByteArray::fromStdString(*bytes);
    paper.info = ReadInfo(folder, entry);
    // The data folder the paper's list line came from (its "simu" folder's parent).
    const QString dataFolder = QDir::cleanPath(QFile::decodeName(folder.c_str()) + QStringLiteral("/..")) + '/';
    paper.identity = {QFileInfo(paper.pdfPath).absoluteFilePath(), dataFolder,
                      attempts::PaperIdentity::HashKey(paper.keyBytes)};
    return paper;
}

PaperInfo PaperBundle::ReadInfo(const std::string& folder, const MockExamEntry& entry)
{
    const auto reading = PaperInfoReader::Load(PaperPath::Resolve(folder, PaperPath::InfoPathFor(entry.pdfPath)));
    return reading ? reading->info : PaperInfo{};
}

} // namespace zelvora::mockexam
