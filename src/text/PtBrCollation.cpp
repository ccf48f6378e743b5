#include "text/PtBrCollation.h"

#include "text/Cp1252QString.h"

#include <QCollator>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <numeric>

namespace zelvora::text {
struct PtBrCollation::Impl {
    QCollator collator{QLocale(QLocale::Portuguese, QLocale::Brazil)};
    Impl() { collator.setCaseSensitivity(Qt::CaseInsensitive); }
};

PtBrCollation::PtBrCollation() : d(std::make_unique<Impl>())
{
}
PtBrCollation::~PtBrCollation() = default;

int PtBrCollation::compare(std::string_view a, std::string_view b) const
{
    // QCollator answers "shorter" for an empty text without asking the
    // collator, while the sort keys call an empty text equal to one made only
    // of ignorable characters (control characters). Sorting uses the keys, so
    // the pair comparison follows them, or a list sorted with one could hold
    // "duplicates" under the other.
    if (a.empty() || b.empty()) {
        const auto ka = d->collator.sortKey(Cp1252ToQString(a));
        const auto kb = d->collator.sortKey(Cp1252ToQString(b));
        return ka.compare(kb);
    }
    return d->collator.compare(Cp1252ToQString(a), Cp1252ToQString(b));
}

std::vector<size_t> PtBrCollation::stableOrder(const std::vector<std::string_view>& items,
                                               std::vector<bool>* equalToPrevious) const
{
    std::vector<QCollatorSortKey> keys;
    keys.reserve(items.size());
    QString buffer;
    for (const auto item : items) {
        Cp1252ToQString(item, buffer);
        keys.push_back(d->collator.sortKey(buffer));
    }

    std::vector<size_t> order(items.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a].compare(keys[b]) < 0; });
    if (equalToPrevious) {
        equalToPrevious->assign(order.size(), false);
        for (size_t k = 1; k < order.size(); ++k)
            (*equalToPrevious)[k] = keys[order[k - 1]].compare(keys[order[k]]) == 0;
    }
    return order;
}

} // namespace zelvora::text
