#include "catalog/Catalog.h"

#include "text/Collation.h"
#include "text/TextList.h"

#include <optional>
#include <unordered_set>

namespace zelvora::catalog {
namespace {

std::optional<CatalogEntry> SplitLine(std::string_view line)
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
                        std::string(line.substr(b + 1, c - b - 1)), std::string(line.substr(c + 1))};
}

std::vector<std::string> DistinctValues(const std::vector<CatalogEntry>& entries, std::string CatalogEntry::*field,
                                        const text::Collation& collation)
{
    // A field takes few distinct values over many entries (a few dozen years
    // in a catalog of 100,000 exams): drop byte-equal repeats first, so the
    // collation only sees each spelling once. The first of equal spellings in
    // catalog order is kept either way.
    std::vector<std::string_view> values;
    std::unordered_set<std::string_view> seen;
    for (const auto& e : entries)
        if (seen.insert(e.*field).second)
            values.emplace_back(e.*field);
    std::vector<std::string> out;
    for (const size_t i : text::SortedDistinct(collation, values))
        out.emplace_back(values[i]);
    return out;
}

} // namespace

Catalog Catalog::FromLines(const std::vector<std::string>& lines, const text::Collation& collation)
{
    return Build({&lines}, collation, nullptr);
}

Catalog Catalog::FromSources(const std::vector<std::vector<std::string>>& lines, const text::Collation& collation)
{
    std::vector<const std::vector<std::string>*> sources;
    for (const auto& l : lines)
        sources.push_back(&l);
    return Build(sources, collation, nullptr);
}

Catalog Catalog::Build(const std::vector<const std::vector<std::string>*>& sourceLines,
                       const text::Collation& collation, std::vector<std::vector<std::string>>* owned)
{
    Catalog catalog;
    std::vector<std::string_view> views;
    std::vector<size_t> sourceOf;
    size_t total = 0;
    for (const auto* lines : sourceLines)
        total += lines->size();
    views.reserve(total);
    sourceOf.reserve(total);
    for (size_t s = 0; s < sourceLines.size(); ++s)
        for (const auto& line : *sourceLines[s]) {
            views.emplace_back(line);
            sourceOf.push_back(s);
        }
    std::vector<bool> equalToPrevious;
    const auto order = collation.stableOrder(views, &equalToPrevious);

    // Lines the catalog owns are let go one by one as their entries are
    // made, so a large catalog never holds its lines and its entries whole
    // at once.
    std::vector<std::string*> release;
    if (owned)
        for (auto& source : *owned)
            for (auto& line : source)
                release.push_back(&line);

    catalog.m_entries.reserve(order.size());
    for (size_t k = 0; k < order.size(); ++k) {
        const std::string_view line = views[order[k]];
        if (equalToPrevious[k]) {
            catalog.m_duplicates.emplace_back(line);
        } else if (auto entry = SplitLine(line)) {
            entry->source = sourceOf[order[k]];
            catalog.m_entries.push_back(std::move(*entry));
        } else if (!line.empty()) {
            catalog.m_incomplete.emplace_back(line);
        }
        if (owned)
            std::string().swap(*release[order[k]]);
    }
    catalog.m_organisations = DistinctValues(catalog.m_entries, &CatalogEntry::organisation, collation);
    catalog.m_examTypes = DistinctValues(catalog.m_entries, &CatalogEntry::examType, collation);
    catalog.m_years = DistinctValues(catalog.m_entries, &CatalogEntry::year, collation);
    return catalog;
}

Catalog Catalog::Load(const std::string& path, const text::Collation& collation)
{
    auto lines = text::ReadTextList(path, text::DataFile::CatalogCap);
    if (!lines)
        return {};
    std::vector<std::vector<std::string>> owned(1);
    owned[0] = std::move(*lines);
    return Build({&owned[0]}, collation, &owned);
}

Catalog Catalog::LoadSources(const std::vector<std::string>& folders, const text::Collation& collation)
{
    std::vector<std::vector<std::string>> lines(folders.size());
    for (size_t s = 0; s < folders.size(); ++s)
        if (auto read = text::ReadTextList(folders[s] + "nomes.txt"))
            lines[s] = std::move(*read);
    std::vector<const std::vector<std::string>*> sources;
    for (const auto& l : lines)
        sources.push_back(&l);
    return Build(sources, collation, &lines);
}

} // namespace zelvora::catalog
