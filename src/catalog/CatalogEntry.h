#pragma once
#include <cstddef>
#include <string>

namespace zelvora::catalog {

// One exam of the catalog: four Windows-1252 texts taken from one line of
// "nomes.txt", exactly as they stand.
struct CatalogEntry {
    std::string organisation;
    std::string examType;
    std::string year;
    std::string archiveName;
    // Which data folder the line came from (index into the program's list of
    // folders), so the archive is looked for in that folder.
    size_t source = 0;

    bool operator==(const CatalogEntry&) const = default;
};

} // namespace zelvora::catalog
