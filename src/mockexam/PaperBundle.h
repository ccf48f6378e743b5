#pragma once
// Everything a paper is started from, read once: the PDF's path, the answer
// key and its bytes (which identify the paper's version), the info file and
// the identity the attempt store keeps it under. One result says whether the
// paper can be started, and if not, why.
#include "attempts/PaperIdentity.h"
#include "mockexam/MockExamEntry.h"
#include "mockexam/PaperInfo.h"
#include "text/Result.h"

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

namespace zelvora::mockexam {

enum class PaperCode { Ok, NoPaper, NoKey };

class PaperBundle {
public:
    // folder: the mock-exam folder the entry's list line came from (encoded).
    // updatedKeys: the user's folder (ending in "/"), whose updated key for a
    // paper of a folder the program never writes replaces the paper's own
    // (KeyOverride); empty for none.
    static ResultOf<PaperBundle, PaperCode> Load(const std::string& folder, const MockExamEntry& entry,
                                                 const std::string& updatedKeys = {});
    // The paper's info file, or the defaults when it has none or it cannot
    // be read (zelvora-check names what is wrong with it).
    static PaperInfo ReadInfo(const std::string& folder, const MockExamEntry& entry,
                              const std::string& updatedKeys = {});

    QString pdfPath;
    std::vector<std::string> key;
    QByteArray keyBytes;
    PaperInfo info;
    attempts::PaperIdentity identity;
};

} // namespace zelvora::mockexam
