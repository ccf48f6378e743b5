#include "usermaterial/KeyUpdate.h"

#include "mockexam/AnswerKeyText.h"
#include "mockexam/PaperInfoReader.h"
#include "text/Windows1252.h"
#include "usermaterial/AtomicFiles.h"
#include "usermaterial/UserMaterial.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace zelvora::usermaterial {

namespace {

bool Has(const std::vector<int>& list, int n)
{
    return std::find(list.begin(), list.end(), n) != list.end();
}

} // namespace

KeyChanges KeyUpdate::Compare(const std::vector<std::string>& oldKey, const mockexam::PaperInfo& oldInfo,
                              const mockexam::KeySection& next)
{
    KeyChanges c;
    c.questionsBefore = int(oldKey.size());
    c.questionsAfter = int(next.answers.size());
    const auto lines = next.keyLines();
    const size_t both = std::min(oldKey.size(), lines.size());
    for (size_t i = 0; i < both; ++i) {
        const int n = int(i + 1);
        const bool wasAnnulled = oldInfo.isAnnulled(n);
        const bool isAnnulled = Has(next.annulled, n);
        if (isAnnulled && !wasAnnulled)
            c.annulled.push_back(n);
        else if (wasAnnulled && !isAnnulled)
            c.restored.push_back(n);
        else if (!isAnnulled && oldKey[i] != lines[i])
            c.changed.push_back(n);
    }
    return c;
}

QString KeyUpdate::KeptName(const QString& keyPath)
{
    const QFileInfo key(keyPath);
    const QString stem = key.absolutePath() + QLatin1Char('/') + key.completeBaseName();
    for (int n = 1;; ++n) {
        const QString base = stem + QStringLiteral(".gabarito-%1").arg(n);
        if (!QFileInfo::exists(base + QStringLiteral(".txt")) && !QFileInfo::exists(base + QStringLiteral(".ini")))
            return base + QStringLiteral(".txt");
    }
}

Result<KeyUpdateCode> KeyUpdate::Write(const KeyFiles& files, const mockexam::KeySection& next)
{
    using Outcome = Result<KeyUpdateCode>;
    const auto lines = next.keyLines();
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        const bool fits = next.rightWrong ? (l == "C" || l == "E") : (l.size() == 1 && l[0] >= '1' && l[0] <= '5');
        if (!fits && !Has(next.annulled, int(i + 1)))
            return Outcome::Fail(KeyUpdateCode::BadKey, std::to_string(i + 1));
    }
    if (lines.empty())
        return Outcome::Fail(KeyUpdateCode::BadKey, "0");
    if (!QDir().mkpath(QFileInfo(files.newKey).absolutePath()))
        return Outcome::Fail(KeyUpdateCode::CannotWrite, files.newKey.toStdString());

    // What the paper is read with now is kept beside the new key.
    const QString kept = KeptName(files.newKey);
    if (QFileInfo::exists(files.key) && !AtomicFiles::Copy(files.key, kept))
        return Outcome::Fail(KeyUpdateCode::CannotKeepOld, kept.toStdString());
    const QString keptInfo = kept.chopped(4) + QStringLiteral(".ini");
    // The new info file is the old one's rules with the new key's item type
    // and annulled questions; its comments stay.
    mockexam::PaperInfo oldInfo;
    std::vector<std::string> comments;
    const bool hadInfo = QFileInfo::exists(files.info);
    if (hadInfo) {
        if (!AtomicFiles::Copy(files.info, keptInfo))
            return Outcome::Fail(KeyUpdateCode::CannotKeepOld, keptInfo.toStdString());
        const auto lines = AtomicFiles::ReadLines(files.info);
        oldInfo = mockexam::PaperInfoReader::Parse(lines).info;
        for (const auto& l : lines)
            if (l.rfind(';', 0) == 0)
                comments.push_back(text::Cp1252ToUtf8(l.substr(l.rfind("; ", 0) == 0 ? 2 : 1)));
    }
    const bool plain = !next.rightWrong && next.annulled.empty();
    if (hadInfo || !plain || QFileInfo::exists(files.newInfo)) {
        if (!AtomicFiles::WriteBytes(files.newInfo, UserMaterial::InfoBytes(next, oldInfo, comments)))
            return Outcome::Fail(KeyUpdateCode::CannotWrite, files.newInfo.toStdString());
    }
    if (!AtomicFiles::WriteBytes(files.newKey, mockexam::AnswerKeyText::FileBytes(lines)))
        return Outcome::Fail(KeyUpdateCode::CannotWrite, files.newKey.toStdString());
    return Outcome::Ok();
}

} // namespace zelvora::usermaterial
