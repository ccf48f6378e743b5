#pragma once
// Scoring of a finished exam against its answer key, and the texts the
// results window shows. Key lines and answers are compared as whole strings,
// byte for byte.
#include "mockexam/PaperInfo.h"
#include "mockexam/QuestionStatus.h"
#include "mockexam/SubjectScore.h"

#include <string>
#include <vector>

namespace zelvora::mockexam {

class ExamScore {
public:
    static ExamScore Compute(const std::vector<std::string>& key, const std::vector<std::string>& answers,
                             long long seconds);
    // The same under what the paper's info file says: annulled questions are
    // hits whatever was marked (or, when the paper takes them out, neither
    // hits nor wrong), the scoring rule, and the subjects. With a
    // default PaperInfo the result is the plain score above.
    static ExamScore Compute(const std::vector<std::string>& key, const std::vector<std::string>& answers,
                             long long seconds, const PaperInfo& info);

    int total = 0;
    int answered = 0;
    int hits = 0;
    long long seconds = 0;
    std::vector<int> right; // 1-based question numbers, ascending
    // every question that is no hit, blanks included; an annulled question
    // taken out of the paper (AnnulledRule::Excluded) is in neither list
    std::vector<int> wrong;
    std::vector<QuestionStatus> statuses; // one per question
    int wrongAnswered = 0; // answered and not a hit
    int annulled = 0;
    ScoringRule rule = ScoringRule::Simple;
    std::vector<SubjectScore> subjects; // in the info file's order

    // hits - wrongAnswered: one wrong answer cancels one right one.
    int net() const { return hits - wrongAnswered; }
    // "12 (15 certas - 3 erradas)"
    std::string netText() const;

    // hits / total * 100; 0 for an exam without questions.
    double percentage() const;
    // answered / seconds; 0 before the first second has passed.
    double rate() const;

    std::string hitsText() const; // "7 de 10"
    std::string timeText() const; // "125 segundos"
    std::string percentageText(const std::string& decimalPoint) const; // "70,00%"
    std::string rateText(const std::string& decimalPoint) const; // "0,08"
    std::string rightText() const; // "1, 2, 5"
    std::string wrongText() const;

    // Fixed notation, two decimals rounded half away from zero, at least two
    // characters wide (padded with spaces on the left), with the given
    // decimal point.
    static std::string FormatTwoDecimals(double value, const std::string& decimalPoint);
    // Points as people write them: up to two decimals, no trailing zeros,
    // no padding ("61,5", "36", "-2,25").
    static std::string FormatPoints(double value, const std::string& decimalPoint);
    static std::string JoinNumbers(const std::vector<int>& numbers);
};

} // namespace zelvora::mockexam
