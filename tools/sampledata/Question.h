#pragma once
// One multiple-choice question of a sample paper. Texts are UTF-8.
#include <array>
#include <string>

namespace zelvora::sampledata {

struct Question {
    std::string subject;
    std::string stem;
    std::array<std::string, 5> options; // A) to E)
    int correct = 0;                    // 0 for A ... 4 for E
};

} // namespace zelvora::sampledata
