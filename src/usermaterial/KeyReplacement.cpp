#include "usermaterial/KeyReplacement.h"

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

ResultOf<WrittenKey, ReplacementCode> KeyReplacement::Write(const KeyTarget& target, const mockexam::KeySection& next)
{
    using Outcome = ResultOf<WrittenKey, ReplacementCode>;
    if (const auto written = KeyUpdate::Write(target.files, next); !written)
        return Outcome::Fail(ReplacementCode::FilesNotWritten, written.detail());
    // Read back as the exam reads it, so the identity is the one the exam
    // computes when the paper is started.
    const auto bytes = text::DataFile::Read(Native(target.files.newKey), text::DataFile::KeyCap);
    const auto reading = mockexam::PaperInfoReader::Load(Native(target.files.newInfo));
    return WrittenKey{bytes ? QByteArray::fromStdString(*bytes) : QByteArray(), next.keyLines(),
                      reading ? reading->info : mockexam::PaperInfo{}};
}

} // namespace zelvora::usermaterial
