#pragma once
// The contents of the sample data folder: the exams of the catalog and the
// papers of the mock-exam list. Every organisation is invented.
#include "MockPaper.h"
#include "SampleExam.h"

#include <vector>

namespace zelvora::sampledata {

class SampleCatalog {
public:
    static std::vector<SampleExam> Exams();
    static std::vector<MockPaper> MockPapers();

    // "Técnico Judiciário" -> "tecnico-judiciario"; ASCII letters, digits and "-".
    static std::string Slug(const std::string& utf8);
};

} // namespace zelvora::sampledata
