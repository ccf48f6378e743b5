#pragma once
// The order in which the program sorts and compares Windows-1252 text: the
// user locale's case-insensitive comparison (accents are not ignored). The
// interface keeps the logic that sorts free of any toolkit; PtBrCollation is
// the implementation the program uses.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora::text {

class Collation {
public:
    virtual ~Collation() = default;

    // <0, 0 or >0 as a sorts before, equal to or after b.
    virtual int compare(std::string_view a, std::string_view b) const = 0;

    // The indices of items in ascending order; items that compare equal keep
    // their original order (stable). When equalToPrevious is given, it receives
    // one flag per position of the result: true when that item compares equal
    // to the one before it in the result.
    virtual std::vector<size_t> stableOrder(const std::vector<std::string_view>& items,
                                            std::vector<bool>* equalToPrevious = nullptr) const;
};

// Helper for the common "sort, then keep the first of each run of equal items".
// Returns the indices of the surviving items, in collation order.
std::vector<size_t> SortedDistinct(const Collation& collation, const std::vector<std::string_view>& items);

} // namespace zelvora::text
