#pragma once
// Review scheduling with SM-2 (P. A. Wozniak, 1987), the algorithm behind
// SuperMemo 2 and the first Anki versions:
//
//   grade q from 0 to 5; q < 3 is a miss.
//   intervals: I(1) = 1 day, I(2) = 6 days, I(n) = round(I(n-1) * EF);
//   a miss starts the repetitions again from I(1);
//   every answer: EF := max(1.3, EF + 0.1 - (5 - q) * (0.08 + (5 - q) * 0.02)),
//   starting at 2.5.
//
// A miss is when the question is (re)learnt (the key is shown), so it comes
// back after I(1), tomorrow; a right review is then the next repetition and
// pushes it out to I(2) = 6 days, the next to I(3), and so on.
// A miss in a paper attempt is graded as a miss in a review (the question
// comes back tomorrow); a right answer in a paper attempt takes the question
// out of the notebook, since its latest answer is then right.
// A right answer is graded 4, a right answer marked as a guess 3, a wrong
// answer 1 and a blank one 0. A question right MasteredStreak reviews in a
// row is "dominada" and leaves the notebook; one missed LeechLapses times in
// all is flagged as a leech.
#include "notebook/OutcomeRules.h"
#include "notebook/ReviewState.h"

namespace zelvora::notebook {

class Sm2Schedule {
public:
    static constexpr double StartEase = 2.5;
    static constexpr double MinimumEase = 1.3;
    static constexpr int MasteredStreak = 3;
    static constexpr int LeechLapses = 4;

    static int GradeOf(Outcome outcome);
    // One review graded q on day today.
    static ReviewState Review(const ReviewState& state, int grade, int64_t today);
    static double NextEase(double ease, int grade);
};

} // namespace zelvora::notebook
