#include "zip/TSortedZip.h"

#include "zip/ZipErrors.h"

namespace zelvora::zip {

TZipHeaderInfo& TSortedZip::Add(std::unique_ptr<TZipHeaderInfo> entry)
{
    TZipHeaderInfo* added = TryAdd(entry);
    if (!added)
        throw EListError();
    return *added;
}

TZipHeaderInfo* TSortedZip::TryAdd(std::unique_ptr<TZipHeaderInfo>& entry)
{
    const Key key{entry->diskNumberStart, entry->localHeaderOffset};
    auto [it, inserted] = entries_.try_emplace(key, nullptr);
    if (!inserted)
        return nullptr;
    it->second = std::move(entry);
    orderStale_ = true;
    return it->second.get();
}

TZipHeaderInfo* TSortedZip::Find(uint32_t disk, uint64_t localHeaderOffset) const
{
    auto it = entries_.find(Key{disk, localHeaderOffset});
    return it == entries_.end() ? nullptr : it->second.get();
}

TZipHeaderInfo& TSortedZip::operator[](size_t i) const
{
    if (orderStale_ || order_.size() != entries_.size()) {
        order_.clear();
        order_.reserve(entries_.size());
        for (const auto& [key, entry] : entries_)
            order_.push_back(entry.get());
        orderStale_ = false;
    }
    return *order_[i];
}

} // namespace zelvora::zip
