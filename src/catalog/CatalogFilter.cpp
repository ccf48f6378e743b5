#include "catalog/CatalogFilter.h"

#include "text/Folding.h"

#include <array>
#include <cstdint>

namespace zelvora::catalog {

const std::string& FieldOf(const CatalogEntry& entry, CatalogField field)
{
    switch (field) {
    case CatalogField::Organisation:
        return entry.organisation;
    case CatalogField::ExamType:
        return entry.examType;
    case CatalogField::Year:
        break;
    }
    return entry.year;
}

std::vector<size_t> FilterByField(const Catalog& catalog, CatalogField field,
                                  std::string_view value)
{
    std::vector<size_t> rows;
    if (value.empty())
        return rows;
    const auto& entries = catalog.entries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (std::string_view(FieldOf(entries[i], field)).find(value) != std::string_view::npos)
            rows.push_back(i);
    return rows;
}

namespace {

// FoldForSearch works byte by byte, so one table of its 256 results folds a
// field into a reused buffer without a new string per field.
const std::array<char, 256>& SearchFoldTable()
{
    static const std::array<char, 256> table = [] {
        std::array<char, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[size_t(b)] = text::FoldForSearch(std::string(1, char(b)))[0];
        return t;
    }();
    return table;
}

} // namespace

std::vector<size_t> SearchCatalog(const Catalog& catalog, std::string_view term)
{
    std::vector<size_t> rows;
    const std::string folded = text::FoldSearchTerm(term);
    if (folded.empty())
        return rows;
    const auto& fold = SearchFoldTable();
    std::string buffer;
    const auto contains = [&](const std::string& field) {
        // A field shorter than the term cannot hold it.
        if (field.size() < folded.size())
            return false;
        buffer.resize(field.size());
        for (size_t i = 0; i < field.size(); ++i)
            buffer[i] = fold[uint8_t(field[i])];
        return buffer.find(folded) != std::string::npos;
    };
    const auto& entries = catalog.entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const CatalogEntry& e = entries[i];
        if (contains(e.examType) || contains(e.organisation) || contains(e.year))
            rows.push_back(i);
    }
    return rows;
}

} // namespace zelvora::catalog
