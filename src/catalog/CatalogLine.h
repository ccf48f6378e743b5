#pragma once
// One line of "nomes.txt": "organisation#type#year#archive", Windows-1252
// bytes. The archive name is everything after the third "#" (further "#"
// included); a line with fewer than three "#" names no exam. Nothing is
// trimmed. Everything that reads or writes a catalog line goes through here.
#include "catalog/CatalogEntry.h"

#include <optional>
#include <string>
#include <string_view>

namespace zelvora::catalog {

class CatalogLine {
public:
    // The exam the line names, with source as its data folder.
    static std::optional<CatalogEntry> Read(std::string_view line, size_t source = 0);
    // The line for entry; Read gives the entry back when no field but the
    // archive name holds a "#".
    static std::string Write(const CatalogEntry& entry);
};

} // namespace zelvora::catalog
