#include "mockexam/KeySheet.h"

namespace zelvora::mockexam {

std::vector<std::string> KeySection::keyLines() const
{
    std::vector<std::string> lines;
    lines.reserve(answers.size());
    for (const auto& a : answers) {
        if (rightWrong || a.size() != 1 || a[0] < 'A' || a[0] > 'E')
            lines.push_back(a);
        else
            lines.push_back(std::string(1, char('1' + (a[0] - 'A'))));
    }
    return lines;
}

} // namespace zelvora::mockexam
