#pragma once
// Scoring of a finished exam against its answer key, and the texts the
// results window shows. Key lines and answers are compared as whole strings,
// byte for byte.
#include <string>
#include <vector>

namespace zelvora::mockexam {

class ExamScore {
public:
    static ExamScore Compute(const std::vector<std::string>& key,
                             const std::vector<std::string>& answers, long long seconds);

    int total = 0;
    int answered = 0;
    int hits = 0;
    long long seconds = 0;
    std::vector<int> right; // 1-based question numbers, ascending
    std::vector<int> wrong;

    // hits / total * 100; 0 for an exam without questions.
    double percentage() const;
    // answered / seconds; 0 before the first second has passed.
    double rate() const;

    std::string hitsText() const;                                   // "7 de 10"
    std::string timeText() const;                                   // "125 segundos"
    std::string percentageText(const std::string& decimalPoint) const; // "70,00%"
    std::string rateText(const std::string& decimalPoint) const;       // "0,08"
    std::string rightText() const;                                  // "1, 2, 5"
    std::string wrongText() const;

    // Fixed notation, two decimals rounded half away from zero, at least two
    // characters wide (padded with spaces on the left), with the given
    // decimal point.
    static std::string FormatTwoDecimals(double value, const std::string& decimalPoint);
    static std::string JoinNumbers(const std::vector<int>& numbers);
};

} // namespace zelvora::mockexam
