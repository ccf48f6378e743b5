#include "catalog/CatalogLine.h"

namespace zelvora::catalog {

std::optional<CatalogEntry> CatalogLine::Read(std::string_view line, size_t source)
{
    const auto a = line.find('#');
    if (a == std::string_view::npos)
        return std::nullopt;
    const auto b = line.find('#', a + 1);
    if (b == std::string_view::npos)
        return std::nullopt;
    const auto c = line.find('#', b + 1);
    if (c == std::string_view::npos)
        return std::nullopt;
    return CatalogEntry{std::string(line.substr(0, a)), std::string(line.substr(a + 1, b - a - 1)),
                        std::string(line.substr(b + 1, c - b - 1)), std::string(line.substr(c + 1)), source};
}

std::string CatalogLine::Write(const CatalogEntry& entry)
{
    return entry.organisation + '#' + entry.examType + '#' + entry.year + '#' + entry.archiveName;
}

} // namespace zelvora::catalog
