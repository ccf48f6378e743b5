#pragma once
// Hits of questions in one group (a subject or a board) over all finished
// paper attempts.
#include <QString>

namespace zelvora::notebook {

struct SubjectRate {
    QString name; // empty: questions of no subject, or papers of no known board
    int hits = 0;
    int total = 0;
    // Seconds per question, when known (negative when not).
    double secondsPerQuestion = -1;

    double percentage() const { return total > 0 ? 100.0 * hits / total : 0.0; }
};

} // namespace zelvora::notebook
