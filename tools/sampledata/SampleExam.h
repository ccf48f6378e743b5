#pragma once
// One exam of the sample catalog ("nomes.txt"): its four fields, UTF-8 here
// and written out in Windows-1252.
#include <string>

namespace zelvora::sampledata {

struct SampleExam {
    std::string organisation;
    std::string examType;
    std::string year;
    std::string archiveName;
};

} // namespace zelvora::sampledata
