#include "catalog/CatalogFilter.h"

#include "text/Folding.h"

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

std::vector<size_t> SearchCatalog(const Catalog& catalog, std::string_view term)
{
    std::vector<size_t> rows;
    const std::string folded = text::FoldSearchTerm(term);
    if (folded.empty())
        return rows;
    const auto contains = [&folded](const std::string& field) {
        // A field shorter than the term cannot hold it; skip the folding.
        return field.size() >= folded.size()
            && text::FoldForSearch(field).find(folded) != std::string::npos;
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
