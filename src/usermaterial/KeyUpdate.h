#pragma once
// A paper's answer key replaced by a newer one from the board: what changed
// between the two, and the files written. The old key and info file stay
// beside the new ones ("prova.gabarito-1.txt", "prova.gabarito-1.ini") until
// the paper is removed; every write is atomic, the new key last.
#include "mockexam/KeySheet.h"
#include "mockexam/PaperInfo.h"
#include "text/Result.h"

#include <QString>

#include <string>
#include <vector>

namespace zelvora::usermaterial {

struct KeyChanges {
    std::vector<int> changed; // another answer, neither key annulling it
    std::vector<int> annulled; // annulled by the new key only
    std::vector<int> restored; // annulled by the old key only
    int questionsBefore = 0, questionsAfter = 0;

    bool none() const
    {
        return changed.empty() && annulled.empty() && restored.empty() && questionsBefore == questionsAfter;
    }
};

// Where a paper's key is read now and where its new one goes: the same
// files for the user's own papers, the user's folder for the others.
struct KeyFiles {
    QString key, info; // read now (info may be missing)
    QString newKey, newInfo;
};

enum class KeyUpdateCode {
    Ok,
    BadKey, // a line that is no answer of the paper's kind
    CannotKeepOld, // the copy of the old key or info file failed; detail: path
    CannotWrite, // detail: path
};

class KeyUpdate {
public:
    static KeyChanges Compare(const std::vector<std::string>& oldKey, const mockexam::PaperInfo& oldInfo,
                              const mockexam::KeySection& next);

    // Keeps the old key and info file beside the new ones, then writes the
    // new info file (the old rules with the new key's item type and annulled
    // questions, UserMaterial::InfoBytes) and the new key.
    static zelvora::Result<KeyUpdateCode> Write(const KeyFiles& files, const mockexam::KeySection& next);

    // The name an old file is kept under: "prova.gabarito-N.txt" for the
    // first N that neither it nor its ".ini" twin uses.
    static QString KeptName(const QString& keyPath);
};

} // namespace zelvora::usermaterial
