#pragma once
// One block of a finished exam as the board scores it.
#include <optional>
#include <string>

namespace zelvora::mockexam {

struct BlockScore {
    std::string name; // UTF-8
    int right = 0; // annulled questions given to everyone included
    int wrong = 0; // answered and not right
    int blank = 0;
    double weight = 1.0;
    double points = 0; // weight x (right, less wrong when the paper cancels)
    double maximum = 0; // weight x the questions that count
    std::optional<double> minimum;

    int net() const { return right - wrong; }
    bool eliminated() const { return minimum && points < *minimum - 1e-9; }
};

} // namespace zelvora::mockexam
