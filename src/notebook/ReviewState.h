#pragma once
// Where one notebook question stands in its review schedule (SM-2): the
// ease factor, the current interval, how many reviews in a row were right,
// how often it was missed, and the day it is due (a Julian day number, the
// user's local calendar).
#include <cstdint>

namespace zelvora::notebook {

struct ReviewState {
    double ease = 2.5;
    int intervalDays = 0;
    int repetitions = 0; // SM-2's n: right reviews since the last miss
    int lapses = 0; // times missed, in papers and in reviews
    int64_t dueDay = 0;
    bool mastered = false; // "dominada": right often enough in a row, leaves the notebook
    bool leech = false; // missed again and again: the subject needs study, not drill

    bool operator==(const ReviewState&) const = default;
};

} // namespace zelvora::notebook
