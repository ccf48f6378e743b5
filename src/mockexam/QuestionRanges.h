#pragma once
// Question ranges as the info file writes them ("1-10, 21-25"), brought into
// one paper: sorted, overlapping and touching ranges joined, everything past
// the paper's last question dropped. Walking the result touches each
// question of the paper at most once, whatever the file repeats.
#include <string>
#include <utility>
#include <vector>

namespace zelvora::mockexam {

class QuestionRanges {
public:
    using Ranges = std::vector<std::pair<int, int>>;

    // The ranges within 1..questionCount, merged and ascending.
    static Ranges Within(Ranges ranges, int questionCount);
    // The questions those ranges name, ascending, each once.
    static std::vector<int> Questions(const Ranges& ranges, int questionCount);
    // "7, 31-33" for the ranges as given; after maxItems items " e mais N".
    static std::string Text(const Ranges& ranges, size_t maxItems = 10);
    // Consecutive numbers of an ascending list joined into ranges.
    static Ranges FromQuestions(const std::vector<int>& ascending);
};

} // namespace zelvora::mockexam
