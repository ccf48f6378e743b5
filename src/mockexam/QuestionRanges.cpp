#include "mockexam/QuestionRanges.h"

#include <algorithm>
#include <string>

namespace zelvora::mockexam {

QuestionRanges::Ranges QuestionRanges::Within(Ranges ranges, int questionCount)
{
    Ranges kept;
    kept.reserve(ranges.size());
    for (auto [first, last] : ranges) {
        first = std::max(first, 1);
        last = std::min(last, questionCount);
        if (first <= last)
            kept.emplace_back(first, last);
    }
    std::sort(kept.begin(), kept.end());
    Ranges merged;
    for (const auto& r : kept) {
        if (!merged.empty() && r.first <= merged.back().second + 1)
            merged.back().second = std::max(merged.back().second, r.second);
        else
            merged.push_back(r);
    }
    return merged;
}

std::vector<int> QuestionRanges::Questions(const Ranges& ranges, int questionCount)
{
    std::vector<int> out;
    for (const auto& [first, last] : Within(ranges, questionCount))
        for (int q = first; q <= last; ++q)
            out.push_back(q);
    return out;
}

std::string QuestionRanges::Text(const Ranges& ranges, size_t maxItems)
{
    std::string out;
    const size_t shown = std::min(ranges.size(), maxItems);
    for (size_t i = 0; i < shown; ++i) {
        const auto& [first, last] = ranges[i];
        out += (i ? ", " : "") + std::to_string(first);
        if (last != first)
            out += "-" + std::to_string(last);
    }
    if (ranges.size() > shown)
        out += " e mais " + std::to_string(ranges.size() - shown);
    return out;
}

QuestionRanges::Ranges QuestionRanges::FromQuestions(const std::vector<int>& ascending)
{
    Ranges out;
    for (const int q : ascending) {
        if (!out.empty() && q == out.back().second + 1)
            out.back().second = q;
        else if (out.empty() || q > out.back().second)
            out.emplace_back(q, q);
    }
    return out;
}

} // namespace zelvora::mockexam
