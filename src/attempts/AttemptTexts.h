#pragma once
// The questions and messages about kept attempts, in Portuguese.
#include <QString>

namespace zelvora::attempts {

struct AttemptTexts {
    // Starting a paper that has an interrupted attempt.
    static QString ResumeQuestion(int answered, int questions, qint64 seconds);
    // Leaving a paper that is running (another paper, Sair, X, closing).
    static QString LeaveQuestion();
    // Finishing with questions left blank.
    static QString BlankQuestion(int blanks);
    // The store could not be opened or written.
    static QString Unavailable(const QString& reason);
    // "1 h 02 min 05 s", "2 min 05 s", "45 s".
    static QString Duration(qint64 seconds);
};

} // namespace zelvora::attempts
