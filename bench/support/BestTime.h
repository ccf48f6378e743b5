#pragma once
// The best of several runs of some work, wall clock in milliseconds: the
// figure least disturbed by whatever else the machine is doing.
#include <QElapsedTimer>

#include <algorithm>
#include <functional>

inline double BestMs(int runs, const std::function<void()>& work)
{
    double best = 1e18;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, double(t.nsecsElapsed()) / 1e6);
    }
    return best;
}
