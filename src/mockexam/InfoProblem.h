#pragma once
// Something in a paper's info file that could not be used as written.
#include <string>

namespace zelvora::mockexam {

struct InfoProblem {
    int line = 0; // 1-based line of the info file; 0 for the file as a whole
    bool error = true; // false: most likely harmless (an unknown key, a repeat)
    std::string text; // Portuguese, UTF-8

    // "linha 3: ..." or the text alone for the file as a whole.
    std::string where() const { return line > 0 ? "linha " + std::to_string(line) + ": " + text : text; }
    bool operator==(const InfoProblem&) const = default;
};

} // namespace zelvora::mockexam
