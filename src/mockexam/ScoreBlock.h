#pragma once
// One block of a paper as the board scores it ("Conhecimentos Básicos":
// questions 1-50, each worth its weight, with a minimum of points below
// which the candidate is out).
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zelvora::mockexam {

struct ScoreBlock {
    std::string name; // UTF-8
    std::vector<std::pair<int, int>> ranges; // inclusive, 1-based, as written
    double weight = 1.0;
    std::optional<double> minimum; // points, net of the cancelling rule

    bool operator==(const ScoreBlock&) const = default;
};

} // namespace zelvora::mockexam
