#include "mockexam/MockExamList.h"

#include "mockexam/PaperPath.h"
#include "text/TextList.h"

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

} // namespace zelvora::mockexam
