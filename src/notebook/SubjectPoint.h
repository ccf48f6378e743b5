#pragma once
// One point of a subject's line over time: the month and its hit rate.
#include <QDate>

namespace zelvora::notebook {

struct SubjectPoint {
    QDate month; // the first day of the month
    int hits = 0;
    int total = 0;

    double percentage() const { return total > 0 ? 100.0 * hits / total : 0.0; }
};

} // namespace zelvora::notebook
