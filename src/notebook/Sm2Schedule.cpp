#include "notebook/Sm2Schedule.h"

#include <algorithm>
#include <cmath>

namespace zelvora::notebook {

int Sm2Schedule::GradeOf(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Right:
        return 4;
    case Outcome::Guess:
        return 3;
    case Outcome::Wrong:
        return 1;
    case Outcome::Blank:
        return 0;
    }
    return 0;
}

double Sm2Schedule::NextEase(double ease, int grade)
{
    const int d = 5 - grade;
    return std::max(MinimumEase, ease + 0.1 - d * (0.08 + d * 0.02));
}

ReviewState Sm2Schedule::Review(const ReviewState& state, int grade, int64_t today)
{
    ReviewState next = state;
    grade = std::clamp(grade, 0, 5);
    next.ease = NextEase(state.ease, grade);
    if (grade < 3) {
        next.repetitions = 0;
        next.intervalDays = 1;
        ++next.lapses;
    } else {
        // The miss was the (re)learning and the day after it SM-2's first
        // repetition, I(1) = 1: a right review is the next repetition,
        // I(2) = 6, then I(n) = I(n-1) * EF.
        ++next.repetitions;
        if (next.repetitions == 1)
            next.intervalDays = 6;
        else
            next.intervalDays = std::max(1, int(std::lround(state.intervalDays * state.ease)));
    }
    next.dueDay = today + next.intervalDays;
    next.mastered = next.repetitions >= MasteredStreak;
    next.leech = next.lapses >= LeechLapses;
    return next;
}

} // namespace zelvora::notebook
