#include "text/TextList.h"

namespace zelvora::text {

std::vector<std::string> SplitTextLines(std::string_view bytes)
{
    if (const auto nul = bytes.find('\0'); nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);

    std::vector<std::string> lines;
    size_t start = 0;
    const size_t n = bytes.size();
    for (size_t i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.emplace_back(bytes.substr(start));
    return lines;
}

std::optional<std::string> ReadWholeFile(const std::string& path, uint64_t cap, DataFileStatus* status)
{
    return DataFile::Read(path, cap, status);
}

std::optional<std::vector<std::string>> ReadTextList(const std::string& path, uint64_t cap, DataFileStatus* status)
{
    auto data = ReadWholeFile(path, cap, status);
    if (!data)
        return std::nullopt;
    return SplitTextLines(*data);
}

} // namespace zelvora::text
