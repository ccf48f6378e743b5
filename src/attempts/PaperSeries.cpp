#include "attempts/PaperSeries.h"

#include <algorithm>

namespace zelvora::attempts {

PaperSeries PaperSeries::For(const std::vector<Attempt>& attempts, const PaperIdentity& paper)
{
    std::vector<const Attempt*> chosen;
    for (const Attempt& a : attempts) {
        if (a.finished && a.paper == paper)
            chosen.push_back(&a);
    }
    std::stable_sort(chosen.begin(), chosen.end(), [](const Attempt* x, const Attempt* y) {
        if (x->startedAt != y->startedAt)
            return x->startedAt < y->startedAt;
        return x->id < y->id;
    });
    PaperSeries s;
    double sum = 0;
    for (const Attempt* a : chosen) {
        const double p = a->percentage();
        s.percentages.push_back(p);
        s.dates.push_back(a->startedAt);
        s.best = s.percentages.size() == 1 ? p : std::max(s.best, p);
        sum += p;
    }
    if (!s.percentages.empty())
        s.average = sum / double(s.percentages.size());
    return s;
}

} // namespace zelvora::attempts
