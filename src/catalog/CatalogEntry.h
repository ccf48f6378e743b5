#pragma once
#include <string>

namespace zelvora::catalog {

// One exam of the catalog: four Windows-1252 texts taken from one line of
// "nomes.txt", exactly as they stand.
struct CatalogEntry {
    std::string organisation;
    std::string examType;
    std::string year;
    std::string archiveName;

    bool operator==(const CatalogEntry&) const = default;
};

} // namespace zelvora::catalog
