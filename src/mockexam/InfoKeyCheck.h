#pragma once
// What a paper's info file says that does not fit its answer key: annulled
// questions and subject or block ranges past the last question, questions in
// two subjects or two blocks, and key lines that no answer of the paper's
// item type can match (annulled questions excepted, whatever their line
// holds).
#include "mockexam/InfoProblem.h"
#include "mockexam/PaperInfo.h"

#include <string>
#include <vector>

namespace zelvora::mockexam {

class InfoKeyCheck {
public:
    static std::vector<InfoProblem> Check(const PaperInfo& info, const std::vector<std::string>& key);
};

} // namespace zelvora::mockexam
