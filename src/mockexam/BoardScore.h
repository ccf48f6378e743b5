#pragma once
// A finished exam scored as the board scores it: each question is worth the
// weight of its block (or of its subject, or 1); a right answer earns it, a
// wrong one costs it when the paper cancels, a blank costs nothing; an
// annulled question is right for everyone or, by the paper's rule, out of
// the score and the maximum. Blocks and the whole paper may have a minimum
// below which the candidate is out, and the total is set against last
// year's cut-off. Plain data in, plain data out: no window, no Qt.
#include "mockexam/BlockScore.h"
#include "mockexam/PaperInfo.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zelvora::mockexam {

class BoardScore {
public:
    // guessed: 1-based numbers of the questions the user marked as guesses;
    // the score without them is computed as if they had been left blank.
    static BoardScore Compute(const std::vector<std::string>& key, const std::vector<std::string>& answers,
                              const PaperInfo& info, const std::set<int>& guessed = {});

    bool applies = false; // the paper sets board rules (PaperInfo::hasBoardRules)
    bool cancelling = false;
    std::vector<BlockScore> blocks; // in the info file's order
    double points = 0; // every question once, at its weight
    double maximum = 0;
    std::optional<double> minimum;
    std::optional<double> cutoff;
    std::optional<double> pointsWithoutGuesses; // when some answers were guesses

    bool belowMinimum() const { return minimum && points < *minimum - 1e-9; }
    // Out of the contest: under the paper's minimum or under a block's.
    bool eliminated() const;
    // points - cutoff; nothing without a cut-off.
    std::optional<double> cutoffMargin() const;

    // What the results show, one line each: a text and, when the line's
    // figure is under its minimum, the alert shown after it in red.
    struct Line {
        std::string text; // UTF-8
        std::string alert; // "eliminado", or empty
        bool operator==(const Line&) const = default;
    };
    // Nothing for a paper without board rules.
    std::vector<Line> lines(const std::string& decimalPoint) const;

    static std::string BlockText(const BlockScore& block, bool cancelling, const std::string& decimalPoint);
    // "3,5 pontos acima da nota de corte (61,5)"
    static std::string CutoffText(double margin, double cutoff, const std::string& decimalPoint);
};

} // namespace zelvora::mockexam
