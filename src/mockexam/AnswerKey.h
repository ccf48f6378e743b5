#pragma once
// A paper's answer key: one line per question, the right option as a digit
// "1" (A) to "5" (E). Lines are kept exactly; a line holding anything else
// simply never matches an answer.
#include <optional>
#include <string>
#include <vector>

namespace zelvora::mockexam {

class AnswerKey {
public:
    // The lines of the key file at path. Nothing when the file cannot be
    // read (a pipe, a device or a file larger than DataFile::KeyCap cannot), and nothing when it holds no line at all: an exam needs at least
    // one question.
    static std::optional<std::vector<std::string>> Load(const std::string& path);
};

} // namespace zelvora::mockexam
