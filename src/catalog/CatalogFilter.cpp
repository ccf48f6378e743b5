#include "catalog/CatalogFilter.h"

#include "text/Folding.h"

#include <algorithm>
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

std::vector<size_t> FilterByField(const Catalog& catalog, CatalogField field, std::string_view value)
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

    // Words are separated by blanks; the folded term has none at its ends. A
    // term of one word is looked for as it stands, blanks inside included.
    std::vector<std::string_view> words;
    for (size_t start = 0; start < folded.size();) {
        const size_t end = std::min(folded.find(' ', start), folded.size());
        if (end > start)
            words.emplace_back(folded.data() + start, end - start);
        start = end + 1;
    }

    const auto& fold = SearchFoldTable();
    // One folded copy per field of the entry being looked at, made only when
    // a word has to be looked for in it, and reused for the next entry.
    std::array<std::string, 3> buffers;
    const auto& entries = catalog.entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const CatalogEntry& e = entries[i];
        const std::string* fields[3] = {&e.examType, &e.organisation, &e.year};
        bool foldedYet[3] = {false, false, false};
        const auto occurs = [&](std::string_view word) {
            for (size_t f = 0; f < 3; ++f) {
                const std::string& field = *fields[f];
                // A field shorter than the word cannot hold it.
                if (field.size() < word.size())
                    continue;
                std::string& buffer = buffers[f];
                if (!foldedYet[f]) {
                    buffer.resize(field.size());
                    for (size_t k = 0; k < field.size(); ++k)
                        buffer[k] = fold[uint8_t(field[k])];
                    foldedYet[f] = true;
                }
                if (buffer.find(word) != std::string::npos)
                    return true;
            }
            return false;
        };
        if (std::all_of(words.begin(), words.end(), occurs))
            rows.push_back(i);
    }
    return rows;
}

} // namespace zelvora::catalog
