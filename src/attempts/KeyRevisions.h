#pragma once
// A paper's answer key replaced (the board's final key after appeals): every
// kept attempt at the paper under the old key is scored again under the new
// one, in one transaction, and takes the paper's new identity, so the
// paper's history stays one series. Each re-scored attempt keeps a row with
// its hits before and after, which the history shows.
//
// Works on the attempt store's file through a connection of its own, after
// AttemptStore has opened (and so migrated) it.
#include "attempts/PaperIdentity.h"
#include "mockexam/PaperInfo.h"
#include "text/Result.h"

#include <QString>

#include <map>
#include <string>
#include <vector>

namespace zelvora::attempts {

enum class RevisionCode {
    Ok,
    CannotOpen, // detail: the SQLite message
    WriteFailed, // detail: the SQLite message
};

struct Rescored {
    qint64 attemptId = 0;
    int hitsBefore = 0, questionsBefore = 0;
    int hitsAfter = 0, questionsAfter = 0;
};

class KeyRevisions {
public:
    explicit KeyRevisions(QString storePath);
    ~KeyRevisions();
    KeyRevisions(const KeyRevisions&) = delete;
    KeyRevisions& operator=(const KeyRevisions&) = delete;

    // Re-scores every attempt at the paper (its PDF and data folder, under
    // any key) under newKey and newInfo; each then belongs to the paper with
    // the key hash newKeyHash.
    zelvora::ResultOf<std::vector<Rescored>, RevisionCode> rescore(const PaperIdentity& paper,
                                                                   const QString& newKeyHash,
                                                                   const std::vector<std::string>& newKey,
                                                                   const mockexam::PaperInfo& newInfo);

    // The latest re-scoring of every attempt that had one, by attempt id.
    std::map<qint64, Rescored> latest();

private:
    bool open(QString* why);

    QString m_path;
    QString m_connection;
};

} // namespace zelvora::attempts
