#pragma once
// The mock-exam list "lista.txt": one paper per line, "name#path". The first
// "#" separates; any later "#" belongs to the path. A line without "#" names
// no paper, and neither does a line whose path is absolute or climbs out of
// the mock-exam folder through ".." (the answer key is always looked for
// inside the mock-exam folder, so such a paper could never be scored, and the
// list must not open files elsewhere on the disk). Nothing is trimmed.
#include "mockexam/MockExamEntry.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora::mockexam {

class MockExamList {
public:
    static constexpr const char* FileName = "lista.txt";

    static std::optional<MockExamEntry> ParseLine(std::string_view line);
    static std::vector<MockExamEntry> Parse(const std::vector<std::string>& lines);

    // Reads folder + "lista.txt" (folder ends in "/"). Nothing when the file
    // cannot be read.
    static std::optional<std::vector<MockExamEntry>> Load(const std::string& folder);

    // The lists of several data folders shown as one: lists[s] is the list
    // of folder s, in order of precedence; every entry keeps s as its
    // source. An entry whose line equals an earlier one apart from letter
    // case is left out, so the earlier folder's wins.
    static std::vector<MockExamEntry> Merge(const std::vector<std::vector<MockExamEntry>>& lists);

    // Reads each mock-exam folder's list (folders end in "/") and merges
    // them; an empty folder name stands for a folder that is missing and
    // gives no list. Nothing when no folder's list can be read.
    static std::optional<std::vector<MockExamEntry>> LoadAll(const std::vector<std::string>& folders);
};

} // namespace zelvora::mockexam
