#pragma once
// One paper of the mock-exam list: the name shown in the paper selector and
// the PDF path relative to the mock-exam folder. Both are Windows-1252 bytes
// exactly as they stand in the list line they came from.
#include <cstddef>
#include <string>

namespace zelvora::mockexam {

struct MockExamEntry {
    std::string name;
    std::string pdfPath;
    // Which data folder the line came from (index into the program's list of
    // folders): the PDF and its key are found in that folder's "simu".
    size_t source = 0;

    bool operator==(const MockExamEntry&) const = default;
};

} // namespace zelvora::mockexam
