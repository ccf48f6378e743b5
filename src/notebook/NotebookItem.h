#pragma once
// One question in the mistakes notebook: which paper and question, what is
// known about it (board, year, subject, the key's line), how it went the last
// time it was seen, how often it was missed, the user's note and its review
// schedule.
#include "attempts/PaperIdentity.h"
#include "notebook/OutcomeRules.h"
#include "notebook/ReviewState.h"

#include <QDateTime>
#include <QString>

#include <string>

namespace zelvora::notebook {

struct NotebookItem {
    qint64 id = 0;
    attempts::PaperIdentity paper;
    QString paperName;
    QString board;
    QString year;
    QString subject; // empty when the paper's info file names none
    int question = 0; // 0-based
    std::string keyLine; // the key's line for this question
    bool rightWrong = false; // options C/E instead of A-E
    Outcome status = Outcome::Wrong; // the latest outcome
    int missed = 0;
    QDateTime lastSeen;
    QString note;
    ReviewState schedule;
    bool active = true; // in the notebook (latest answer not right, not mastered)
    int questionCount = 0; // the paper's, as its latest attempt had it; 0 when unknown

    // The letter of the key's answer: "A".."E", "C"/"E".
    QString keyLetter() const;
};

} // namespace zelvora::notebook
