#pragma once
// The exam catalog read from "nomes.txt".
//
// Format notes: one entry per line, "organisation#type#year#archive"; the
// archive name is everything after the third "#" (further "#" included). Lines
// are sorted by the collation and a line equal to an earlier one under it is
// dropped (the first in the file survives). Lines with fewer than three "#"
// give nothing, not even filter values.
#include "catalog/CatalogEntry.h"

#include <string>
#include <string_view>
#include <vector>

namespace zelvora::text {
class Collation;
} // namespace zelvora::text

namespace zelvora::catalog {

class Catalog {
public:
    // The catalog window shows at most this many characters of a field (the
    // rest as "…"); the catalog itself keeps fields whole.
    static constexpr size_t ShownFieldLimit = 500;

    // Builds the catalog from the file's lines. Never fails.
    static Catalog FromLines(const std::vector<std::string>& lines, const text::Collation& collation);
    // Reads the file; a missing or unreadable file gives an empty catalog, and
    // so does anything that is not a regular file or is larger than
    // DataFile::CatalogCap (see text/DataFile.h).
    static Catalog Load(const std::string& path, const text::Collation& collation);

    // The catalogs of several data folders shown as one. lines[s] are the
    // lines of folder s; every entry keeps s as its source. Folders come in
    // order of precedence: of lines equal under the collation, the one of the
    // earliest folder survives.
    static Catalog FromSources(const std::vector<std::vector<std::string>>& lines, const text::Collation& collation);
    // Reads folder + "nomes.txt" of each folder (ending in "/"); a missing
    // file adds nothing.
    static Catalog LoadSources(const std::vector<std::string>& folders, const text::Collation& collation);

    const std::vector<CatalogEntry>& entries() const { return m_entries; }
    size_t size() const { return m_entries.size(); }
    const CatalogEntry& at(size_t i) const { return m_entries.at(i); }

    // The distinct values of each field (equal under the collation counts as
    // one, the first spelling in catalog order is kept), in collation order.
    const std::vector<std::string>& organisations() const { return m_organisations; }
    const std::vector<std::string>& examTypes() const { return m_examTypes; }
    const std::vector<std::string>& years() const { return m_years; }

    // What a load left out, for the data folder checker: lines dropped as
    // equal to an earlier one, and lines without all four fields (empty
    // lines not counted).
    const std::vector<std::string>& droppedDuplicates() const { return m_duplicates; }
    const std::vector<std::string>& incompleteLines() const { return m_incomplete; }

private:
    // owned: the lines themselves when the catalog may let them go while it
    // builds (sourceLines then point into it), else nullptr.
    static Catalog Build(const std::vector<const std::vector<std::string>*>& sourceLines,
                         const text::Collation& collation, std::vector<std::vector<std::string>>* owned);

    std::vector<CatalogEntry> m_entries;
    std::vector<std::string> m_organisations, m_examTypes, m_years;
    std::vector<std::string> m_duplicates, m_incomplete;
};

} // namespace zelvora::catalog
