#include "usermaterial/KeyReplacement.h"

#include "attempts/PaperIdentity.h"
#include "mockexam/AnswerKey.h"
#include "mockexam/KeyOverride.h"
#include "mockexam/PaperInfoReader.h"
#include "text/DataFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zelvora::usermaterial {

namespace {

QString WithSlash(QString folder)
{
    folder = QDir::cleanPath(folder);
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

std::string Native(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

KeyTarget KeyReplacement::For(const QString& absolutePdfPath, const QString& dataFolder, const QString& userFolder)
{
    KeyTarget t{absolutePdfPath, dataFolder, {}};
    const QFileInfo pdf(absolutePdfPath);
    const QString stem = pdf.absolutePath() + QLatin1Char('/')
        + (pdf.fileName().contains(QLatin1Char('.')) ? pdf.completeBaseName() : pdf.fileName());
    t.files = {stem + QStringLiteral(".txt"), stem + QStringLiteral(".ini"), stem + QStringLiteral(".txt"),
               stem + QStringLiteral(".ini")};
    const bool own = !userFolder.isEmpty() && WithSlash(dataFolder) == WithSlash(userFolder);
    if (own || userFolder.isEmpty())
        return t;
    const std::string user = Native(WithSlash(userFolder));
    const std::string pdfName = Native(absolutePdfPath);
    t.files.newKey = QFile::decodeName(mockexam::KeyOverride::KeyPath(user, pdfName).c_str());
    t.files.newInfo = QFile::decodeName(mockexam::KeyOverride::InfoPath(user, pdfName).c_str());
    if (mockexam::KeyOverride::Find(user, pdfName)) {
        t.files.key = t.files.newKey;
        t.files.info = t.files.newInfo;
    }
    return t;
}

std::vector<std::string> KeyReplacement::CurrentKey(const KeyTarget& target)
{
    return mockexam::AnswerKey::Load(Native(target.files.key)).value_or(std::vector<std::string>{});
}

mockexam::PaperInfo KeyReplacement::CurrentInfo(const KeyTarget& target)
{
    const auto reading = mockexam::PaperInfoReader::Load(Native(target.files.info));
    return reading ? reading->info : mockexam::PaperInfo{};
}

ResultOf<std::vector<attempts::Rescored>, ReplacementCode> KeyReplacement::Apply(const KeyTarget& target,
                                                                                 const mockexam::KeySection& next,
                                                                                 const QString& storePath)
{
    using Outcome = ResultOf<std::vector<attempts::Rescored>, ReplacementCode>;
    if (const auto written = KeyUpdate::Write(target.files, next); !written)
        return Outcome::Fail(ReplacementCode::FilesNotWritten, written.detail());
    if (storePath.isEmpty())
        return std::vector<attempts::Rescored>{};
    // The new identity is the hash of the bytes just written, as the exam
    // computes it when the paper is started.
    const auto bytes = text::DataFile::Read(Native(target.files.newKey), text::DataFile::KeyCap);
    const QString hash = attempts::PaperIdentity::HashKey(bytes ? QByteArray::fromStdString(*bytes) : QByteArray());
    const auto reading = mockexam::PaperInfoReader::Load(Native(target.files.newInfo));
    attempts::KeyRevisions revisions(storePath);
    auto rescored = revisions.rescore({target.pdfPath, target.dataFolder, {}}, hash, next.keyLines(),
                                      reading ? reading->info : mockexam::PaperInfo{});
    if (!rescored)
        return Outcome::Fail(ReplacementCode::NotRescored, rescored.detail());
    return std::move(rescored).value();
}

} // namespace zelvora::usermaterial
