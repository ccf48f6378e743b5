#pragma once
// The rules of a paper as the "Regras da prova" dialog edits them: plain
// texts, one per field, turned into a paper's info through the info file's
// own reader (so the dialog accepts exactly what the file accepts) and back.
// Texts are UTF-8. No Qt.
#include "mockexam/PaperInfoReader.h"

#include <string>
#include <vector>

namespace zelvora::usermaterial {

struct PaperRules {
    struct Group {
        std::string name;
        std::string questions; // "1-50, 61"
        std::string weight; // "" for none (a block then weighs 1)
        std::string minimum; // blocks only; "" for none
        bool operator==(const Group&) const = default;
    };

    std::string duration; // "" for no limit
    bool rightWrong = false;
    bool cancelling = false;
    std::string annulled; // "7, 31"
    bool annulledExcluded = false;
    std::vector<Group> blocks;
    std::vector<Group> subjects;
    std::string minimum;
    std::string cutoff;

    // The info these fields give, with every field that cannot be read among
    // the problems (their texts in Portuguese, without line numbers). A name
    // holding ":", ";", "=" or a line break is a problem too: the file could
    // not hold it.
    mockexam::PaperInfoReading toInfo() const;
    static PaperRules FromInfo(const mockexam::PaperInfo& info);

    bool operator==(const PaperRules&) const = default;
};

} // namespace zelvora::usermaterial
