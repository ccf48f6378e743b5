#include "mockexam/MockExamList.h"

#include "mockexam/PaperPath.h"
#include "text/Folding.h"
#include "text/TextList.h"

#include <unordered_set>

namespace zelvora::mockexam {

std::optional<MockExamEntry> MockExamList::ParseLine(std::string_view line)
{
    const auto hash = line.find('#');
    if (hash == std::string_view::npos)
        return std::nullopt;
    MockExamEntry entry{std::string(line.substr(0, hash)), std::string(line.substr(hash + 1))};
    if (PaperPath::IsAbsolute(entry.pdfPath) || PaperPath::ClimbsOut(entry.pdfPath))
        return std::nullopt;
    return entry;
}

std::vector<MockExamEntry> MockExamList::Parse(const std::vector<std::string>& lines)
{
    std::vector<MockExamEntry> entries;
    for (const auto& line : lines)
        if (auto entry = ParseLine(line))
            entries.push_back(std::move(*entry));
    return entries;
}

std::optional<std::vector<MockExamEntry>> MockExamList::Load(const std::string& folder)
{
    auto lines = text::ReadTextList(folder + FileName, text::DataFile::ListCap);
    if (!lines)
        return std::nullopt;
    return Parse(*lines);
}

std::vector<MockExamEntry> MockExamList::Merge(const std::vector<std::vector<MockExamEntry>>& lists)
{
    std::vector<MockExamEntry> merged;
    std::unordered_set<std::string> seen;
    for (size_t s = 0; s < lists.size(); ++s)
        for (const auto& entry : lists[s]) {
            if (!seen.insert(text::UpperCase1252(entry.name + '#' + entry.pdfPath)).second)
                continue;
            merged.push_back(entry);
            merged.back().source = s;
        }
    return merged;
}

std::optional<std::vector<MockExamEntry>> MockExamList::LoadAll(const std::vector<std::string>& folders)
{
    std::vector<std::vector<MockExamEntry>> lists(folders.size());
    bool any = false;
    for (size_t s = 0; s < folders.size(); ++s)
        if (auto list = folders[s].empty() ? std::nullopt : Load(folders[s])) {
            lists[s] = std::move(*list);
            any = true;
        }
    if (!any)
        return std::nullopt;
    return Merge(lists);
}

} // namespace zelvora::mockexam
