#pragma once
// Puts a new answer key in place of a paper's key and scores every kept
// attempt at the paper again under it. A paper of the user's own folder
// gets the new key beside its PDF; a paper of a folder the program never
// writes gets it in the user's folder (KeyOverride), where the exam looks
// first.
#include "attempts/KeyRevisions.h"
#include "mockexam/KeySheet.h"
#include "mockexam/PaperInfo.h"
#include "text/Result.h"
#include "usermaterial/KeyUpdate.h"

#include <QString>

#include <string>
#include <vector>

namespace zelvora::usermaterial {

struct KeyTarget {
    QString pdfPath; // absolute, as the attempts name the paper
    QString dataFolder; // the data folder the paper's list line came from
    KeyFiles files;
};

enum class ReplacementCode {
    Ok,
    FilesNotWritten, // detail: KeyUpdate's detail
    NotRescored, // the new key is in place, the attempts kept their scores; detail: the store's message
};

class KeyReplacement {
public:
    // userFolder: the user's data folder ("" when there is none: then only
    // the user's own papers can take a new key, and none is offered).
    static KeyTarget For(const QString& absolutePdfPath, const QString& dataFolder, const QString& userFolder);

    // The key and info the paper is read with now.
    static std::vector<std::string> CurrentKey(const KeyTarget& target);
    static mockexam::PaperInfo CurrentInfo(const KeyTarget& target);

    // Writes the new key (keeping the old one) and, when storePath is not
    // empty, re-scores the paper's attempts in that store.
    static zelvora::ResultOf<std::vector<attempts::Rescored>, ReplacementCode> Apply(const KeyTarget& target,
                                                                                     const mockexam::KeySection& next,
                                                                                     const QString& storePath);
};

} // namespace zelvora::usermaterial
