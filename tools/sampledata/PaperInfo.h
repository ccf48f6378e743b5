#pragma once
// What the cover of a sample paper says about it. Texts are UTF-8.
#include <string>

namespace zelvora::sampledata {

struct PaperInfo {
    std::string organisation;
    std::string examType;
    std::string year;
    std::string duration = "3 horas";
    bool rightWrong = false; // items judged Certo or Errado
    bool cancelling = false; // one wrong item cancels one right one
};

} // namespace zelvora::sampledata
