#pragma once
// One question of a sample paper: five options, or a statement to judge
// right or wrong. Texts are UTF-8.
#include <array>
#include <string>

namespace zelvora::sampledata {

struct Question {
    std::string subject;
    std::string stem;
    std::array<std::string, 5> options; // A) to E)
    int correct = 0; // 0 for A ... 4 for E
    // A right/wrong item: the stem is a statement to judge, options are
    // unused, and correct is 0 for Certo, 1 for Errado.
    bool statement = false;
};

} // namespace zelvora::sampledata
