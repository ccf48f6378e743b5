#pragma once
// One subject of a paper: its name and the questions that belong to it, as
// inclusive 1-based ranges ("1-10, 21-25").
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zelvora::mockexam {

struct SubjectRange {
    std::string name; // UTF-8
    std::vector<std::pair<int, int>> ranges;
    // Points each of its questions is worth; nothing when the file gives no
    // weight (the question then counts 1, or its block's weight).
    std::optional<double> weight = std::nullopt;

    bool contains(int question) const
    {
        for (const auto& [first, last] : ranges)
            if (question >= first && question <= last)
                return true;
        return false;
    }
    bool operator==(const SubjectRange&) const = default;
};

} // namespace zelvora::mockexam
