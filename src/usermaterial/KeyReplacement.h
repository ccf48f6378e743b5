#pragma once
// Puts a new answer key in place of a paper's key; the caller then scores
// the paper's kept attempts again with what was written
// (attempts::KeyRevisions). A paper of the user's own folder gets the new
// key beside its PDF; a paper of a folder the program never writes gets it
// in the user's folder (KeyOverride), where the exam looks first.
#include "mockexam/KeySheet.h"
#include "mockexam/PaperInfo.h"
#include "text/Result.h"
#include "usermaterial/KeyUpdate.h"

#include <QByteArray>
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
};

// The key as written: its bytes (the paper's new identity is their hash),
// its lines and the info file now in force.
struct WrittenKey {
    QByteArray keyBytes;
    std::vector<std::string> lines;
    mockexam::PaperInfo info;
};

class KeyReplacement {
public:
    // userFolder: the user's data folder ("" when there is none: then only
    // the user's own papers can take a new key, and none is offered).
    static KeyTarget For(const QString& absolutePdfPath, const QString& dataFolder, const QString& userFolder);

    // The key and info the paper is read with now.
    static std::vector<std::string> CurrentKey(const KeyTarget& target);
    static mockexam::PaperInfo CurrentInfo(const KeyTarget& target);

    // Writes the new key and info file, keeping the old ones.
    static zelvora::ResultOf<WrittenKey, ReplacementCode> Write(const KeyTarget& target,
                                                                const mockexam::KeySection& next);
};

} // namespace zelvora::usermaterial
