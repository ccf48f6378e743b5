#include "usermaterial/KeyUpdate.h"

#include "mockexam/AnswerKeyText.h"
#include "text/Folding.h"
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

// The info file's key of a line, folded as the reader folds it.
std::string KeyOf(const std::string& line)
{
    const auto eq = line.find('=');
    if (eq == std::string::npos)
        return {};
    std::string key = text::UpperCase1252(text::RemoveAcentos(line.substr(0, eq)));
    key.erase(std::remove_if(key.begin(), key.end(), [](char c) { return c == ' ' || c == '\t'; }), key.end());
    return key;
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

std::vector<std::string> KeyUpdate::MergeInfo(const std::vector<std::string>& oldLines,
                                              const mockexam::KeySection& next)
{
    std::vector<std::string> out;
    for (const auto& l : oldLines) {
        const std::string key = KeyOf(l);
        if (key != "TIPO" && key != "ANULADAS")
            out.push_back(l);
    }
    for (const auto& l : UserMaterial::InfoLines(next))
        if (l.rfind(";", 0) != 0 || out.empty())
            out.push_back(l);
    return out;
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
    std::vector<std::string> oldInfo;
    if (QFileInfo::exists(files.info)) {
        if (!AtomicFiles::Copy(files.info, keptInfo))
            return Outcome::Fail(KeyUpdateCode::CannotKeepOld, keptInfo.toStdString());
        oldInfo = AtomicFiles::ReadLines(files.info);
    }
    const auto info = MergeInfo(oldInfo, next);
    if (!info.empty() || QFileInfo::exists(files.newInfo)) {
        if (!AtomicFiles::WriteLines(files.newInfo, info))
            return Outcome::Fail(KeyUpdateCode::CannotWrite, files.newInfo.toStdString());
    }
    if (!AtomicFiles::WriteBytes(files.newKey, mockexam::AnswerKeyText::FileBytes(lines)))
        return Outcome::Fail(KeyUpdateCode::CannotWrite, files.newKey.toStdString());
    return Outcome::Ok();
}

} // namespace zelvora::usermaterial
