#pragma once
// zelvora-check --questoes PAPER.pdf [--json]: where each question of a paper
// starts, as the exam window finds it. The answer key beside the paper (same
// name, ".txt"), when there is one, says how many questions to look for.
//
// Text: one line per question found, "Questão 12: página 3, y 123,4"; JSON:
// {"questions": [{"number": 1, "page": 0, "y": 123.4}, ...]}, page from 0, y
// in PDF points from the page's top; questions not found are left out.
#include "mockexam/QuestionPlace.h"

#include <string>
#include <vector>

namespace zelvora::check {

class QuestionsReport {
public:
    static std::string Json(const std::vector<mockexam::QuestionPlace>& places);
    static std::string Text(const std::vector<mockexam::QuestionPlace>& places, int expected);
    // Maps the paper and prints; exit code 0, or 1 when the file is no PDF.
    static int Run(const std::string& pdfPath, bool json);
};

} // namespace zelvora::check
