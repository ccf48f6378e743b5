#pragma once
// One paper's results over time: the percentage of each finished attempt at
// it, oldest first, with the best and the average. Interrupted attempts are
// left out: their percentage is not a result.
#include "attempts/Attempt.h"

#include <vector>

namespace zelvora::attempts {

struct PaperSeries {
    std::vector<double> percentages; // oldest first
    std::vector<QDateTime> dates;
    double best = 0;
    double average = 0;

    bool empty() const { return percentages.empty(); }

    static PaperSeries For(const std::vector<Attempt>& attempts, const PaperIdentity& paper);
};

} // namespace zelvora::attempts
