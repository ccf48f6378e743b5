#pragma once
// What a paper's info file says about it: the exam's time limit, whether its
// items are options A to E or right/wrong statements, the annulled
// questions, the scoring rule and the subjects as question ranges. A paper
// without an info file gets the defaults, which are exactly the plain mock
// exam: no limit, options A to E, nothing annulled, simple scoring.
//
// The board's own rules come on top: blocks of questions with a weight and a
// minimum, a minimum for the whole paper, last year's cut-off score, and
// whether annulled questions are given to everyone or taken out.
#include "mockexam/ScoreBlock.h"
#include "mockexam/SubjectRange.h"

#include <optional>
#include <string>
#include <vector>

namespace zelvora::mockexam {

enum class ItemType {
    MultipleChoice, // key lines "1" to "5", options A to E
    RightWrong, // key lines "C" (certo) or "E" (errado)
};

enum class ScoringRule {
    Simple, // hits are the score
    Cancelling, // one wrong answer cancels one right one; blanks cost nothing
};

enum class AnnulledRule {
    Everyone, // an annulled question is right for everyone (the default)
    Excluded, // an annulled question counts neither in the score nor in the maximum
};

struct PaperInfo {
    // Seconds the exam may last; nothing means no limit.
    std::optional<int> durationSeconds;
    ItemType itemType = ItemType::MultipleChoice;
    ScoringRule scoring = ScoringRule::Simple;
    // 1-based question numbers, ascending, without repeats.
    std::vector<int> annulled;
    std::vector<SubjectRange> subjects;
    AnnulledRule annulledRule = AnnulledRule::Everyone;
    std::vector<ScoreBlock> blocks; // in the file's order
    std::optional<double> totalMinimum; // points the whole paper must reach
    std::optional<double> cutoff; // last year's cut-off score, in points

    // True when the file sets anything beyond the plain percentage: blocks,
    // weights, minimums, a cut-off or the excluding rule for annulled
    // questions. Without it the results show nothing of the board's score.
    bool hasBoardRules() const;

    bool isAnnulled(int question) const;
    // The number of options a question offers: 5 (A to E) or 2 (C and E).
    int optionCount() const { return itemType == ItemType::RightWrong ? 2 : 5; }
    // The letter shown for option index (0-based): "A".."E", or "C"/"E".
    std::string optionLetter(int option) const;
    // The stored answer for option index: "1".."5", or "C"/"E"; empty when
    // the index is no option of this paper.
    std::string answerFor(int option) const;
    // The option index a stored answer stands for, or -1.
    int optionOf(const std::string& answer) const;
    // The letter a key line or stored answer stands for ("3" -> "C" on a
    // multiple-choice paper), or the line itself when it is no option.
    std::string letterOf(const std::string& keyOrAnswer) const;
};

} // namespace zelvora::mockexam
