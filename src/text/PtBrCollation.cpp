#include "text/PtBrCollation.h"

#include "text/Windows1252.h"

#include <QCollator>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <numeric>

namespace zelvora::text {
namespace {

// Writes the Unicode form of s into out, reusing its buffer.
void FromCp1252(std::string_view s, QString& out)
{
    out.resize(qsizetype(s.size()));
    QChar* p = out.data();
    for (const char c : s)
        *p++ = QChar(char16_t(Cp1252ToUnicode(uint8_t(c))));
}

QString FromCp1252(std::string_view s)
{
    QString out;
    FromCp1252(s, out);
    return out;
}

} // namespace

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
        const auto ka = d->collator.sortKey(FromCp1252(a));
        const auto kb = d->collator.sortKey(FromCp1252(b));
        return ka.compare(kb);
    }
    return d->collator.compare(FromCp1252(a), FromCp1252(b));
}

std::vector<size_t> PtBrCollation::stableOrder(const std::vector<std::string_view>& items,
                                               std::vector<bool>* equalToPrevious) const
{
    std::vector<QCollatorSortKey> keys;
    keys.reserve(items.size());
    QString buffer;
    for (const auto item : items) {
        FromCp1252(item, buffer);
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
