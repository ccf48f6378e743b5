#pragma once
// The questions and messages about kept attempts, in Portuguese: the one
// table that turns the store's codes into what a user reads.
#include "attempts/StoreError.h"
#include "attempts/UserDataArchive.h"

#include <QString>

namespace zelvora::attempts {

struct AttemptTexts {
    // Starting a paper that has an interrupted attempt.
    static QString ResumeQuestion(int answered, int questions, qint64 seconds);
    // Leaving a paper that is running (another paper, Sair, X, closing).
    static QString LeaveQuestion();
    // Finishing with questions left blank.
    static QString BlankQuestion(int blanks);
    // Why the store failed, as the end of a sentence ("o disco está cheio").
    static QString Reason(const StoreResult& result);
    // The store could not be opened: the exam runs without it.
    static QString Unavailable(const StoreResult& result);
    // A write failed during an exam: the answers wait in memory.
    static QString WriteFailed(const StoreResult& result);
    // A damaged file was put aside and a fresh one started.
    static QString SetAside(const QString& path);
    // Opening found answers lost (a damaged log, rows promising more).
    static QString AnswersLost();
    // The attempt that would be resumed is open in another window.
    static QString OpenElsewhere();
    // The history window cannot show or change the store.
    static QString HistoryUnavailable(const StoreResult& result);
    static QString RemoveFailed(const StoreResult& result);
    // "Exportar meus dados" and "Importar meus dados".
    static QString ArchiveFailed(const Result<UserDataArchive::Error>& result);
    static QString Exported(const QString& path);
    static QString Imported(const UserDataArchive::Imported& done);
    // "1 h 02 min 05 s", "2 min 05 s", "45 s".
    static QString Duration(qint64 seconds);
};

} // namespace zelvora::attempts
