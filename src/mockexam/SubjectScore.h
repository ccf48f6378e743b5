#pragma once
// The hits of one subject of a finished exam.
#include <string>

namespace zelvora::mockexam {

struct SubjectScore {
    std::string name; // UTF-8
    int right = 0;
    int total = 0; // questions of the subject that the paper has

    double percentage() const { return total > 0 ? double(right) / double(total) * 100.0 : 0.0; }
    // "Língua Portuguesa: 8 de 10 (80,00%)"
    std::string text(const std::string& decimalPoint) const;
};

} // namespace zelvora::mockexam
