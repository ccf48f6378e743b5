#include "text/TextList.h"

namespace zelvora::text {

std::vector<std::string> SplitTextLines(std::string_view bytes)
{
    if (const auto nul = bytes.find('\0'); nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);

    // Counted first, so the list is made once at its size (growing it would
    // hold up to twice the room for a file of a million lines).
    size_t breaks = 0;
    for (size_t i = 0; i < bytes.size(); ++i)
        breaks += bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'));
    std::vector<std::string> lines;
    lines.reserve(breaks + 1);
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
