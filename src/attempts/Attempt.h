#pragma once
// One sitting of a mock exam as the attempt store keeps it: which paper, when,
// how long, every answer and where the user was. Texts are QStrings (UTF-8 in
// the store); answers use the exam's stored-answer digits ("#" for none, "1"
// to "5" for A to E).
#include "attempts/PaperIdentity.h"

#include <QDateTime>
#include <QString>

#include <string>
#include <vector>

namespace zelvora::attempts {

struct Attempt {
    qint64 id = 0;
    PaperIdentity paper;
    QString paperName;
    int questionCount = 0;
    // answered: counted from the stored answer rows; hits: written with the
    // answers, so the history needs no key to show them.
    int answered = 0;
    int hits = 0;
    QDateTime startedAt;
    QDateTime endedAt; // invalid while not finished
    qint64 elapsedSeconds = 0;
    int currentQuestion = 0;
    bool finished = false;
    // One per question; filled by AttemptStore::load, empty in the history's
    // summaries.
    std::vector<std::string> answers;
    // When the clock was last written.
    QDateTime savedAt;

    // hits / questions * 100; 0 for no questions.
    double percentage() const;
};

} // namespace zelvora::attempts
