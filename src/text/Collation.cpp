#include "text/Collation.h"

#include <algorithm>
#include <numeric>

namespace zelvora::text {

std::vector<size_t> Collation::stableOrder(const std::vector<std::string_view>& items,
                                           std::vector<bool>* equalToPrevious) const
{
    std::vector<size_t> order(items.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return compare(items[a], items[b]) < 0; });
    if (equalToPrevious) {
        equalToPrevious->assign(order.size(), false);
        for (size_t k = 1; k < order.size(); ++k)
            (*equalToPrevious)[k] = compare(items[order[k - 1]], items[order[k]]) == 0;
    }
    return order;
}

std::vector<size_t> SortedDistinct(const Collation& collation, const std::vector<std::string_view>& items)
{
    std::vector<bool> equal;
    const auto order = collation.stableOrder(items, &equal);
    std::vector<size_t> kept;
    kept.reserve(order.size());
    for (size_t k = 0; k < order.size(); ++k)
        if (!equal[k])
            kept.push_back(order[k]);
    return kept;
}

} // namespace zelvora::text
