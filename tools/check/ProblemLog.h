#pragma once
// The checker's problems as they are found, grouped by kind: of each kind the
// first ShownPerKind are kept in full and the rest only counted, so that a
// list of a million bad lines gives a report of a few hundred lines. The
// count stands as one more problem right after the last one kept of its
// kind: "... e mais N problemas deste tipo (kind).".
#include "CheckReport.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zelvora::check {

class ProblemLog {
public:
    static constexpr size_t ShownPerKind = 100;

    // Problems are appended to problems, which must outlive the log.
    explicit ProblemLog(std::vector<CheckProblem>& problems);

    // kind: a short Portuguese name of the problem's kind, shown in its
    // count line; text: the whole problem.
    void add(std::string_view kind, bool error, std::string text);
    void error(std::string_view kind, std::string text) { add(kind, true, std::move(text)); }
    void warning(std::string_view kind, std::string text) { add(kind, false, std::move(text)); }

    // Writes the texts of the count lines; call once every problem is in.
    void finish();

private:
    struct Tally {
        size_t seen = 0;
        size_t countLine = 0; // index of the count line in m_problems, once past ShownPerKind
    };
    std::vector<CheckProblem>& m_problems;
    std::unordered_map<std::string, Tally> m_kinds; // by kind and weight
    std::string m_key;
};

} // namespace zelvora::check
