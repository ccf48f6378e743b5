#pragma once
// Filtering and searching the catalog, apart from any window: each function
// returns the indices of the matching entries in catalog order, and the
// catalog window shows exactly those entries, one per grid row.
#include "catalog/Catalog.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace zelvora::catalog {

enum class CatalogField { Organisation, ExamType, Year };

const std::string& FieldOf(const CatalogEntry& entry, CatalogField field);

// Entries whose field holds value as a contiguous, byte-exact, case-sensitive
// substring. An empty value occurs nowhere, so it matches no entry.
std::vector<size_t> FilterByField(const Catalog& catalog, CatalogField field, std::string_view value);

// The free-text search. term is the text the user typed, in Windows-1252; it
// is folded with FoldSearchTerm (accents removed, upper case, trimmed) and
// looked for in each entry's exam type, organisation and year, each folded
// with FoldForSearch. A term of several words separated by blanks matches an
// entry when every word occurs in one of those fields ("judiciario 2010").
// A term that folds to nothing matches no entry.
std::vector<size_t> SearchCatalog(const Catalog& catalog, std::string_view term);

} // namespace zelvora::catalog
