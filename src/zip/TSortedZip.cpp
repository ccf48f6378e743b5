#include "zip/TSortedZip.h"

#include "zip/ZipErrors.h"

namespace zelvora::zip {

namespace {
bool Before(const TZipHeaderInfo& e, uint32_t disk, uint64_t offset)
{
    return e.diskNumberStart < disk || (e.diskNumberStart == disk && e.localHeaderOffset < offset);
}
} // namespace

size_t TSortedZip::LowerBound(uint32_t disk, uint64_t offset) const
{
    // Central directories are nearly always in offset order: try the end first.
    if (entries_.empty() || Before(*entries_.back(), disk, offset))
        return entries_.size();
    size_t lo = 0, hi = entries_.size();
    while (lo < hi) {
        size_t mid = lo + (hi - lo) / 2;
        if (Before(*entries_[mid], disk, offset))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

TZipHeaderInfo& TSortedZip::Add(std::unique_ptr<TZipHeaderInfo> entry)
{
    size_t at = LowerBound(entry->diskNumberStart, entry->localHeaderOffset);
    if (at < entries_.size() && entries_[at]->diskNumberStart == entry->diskNumberStart
        && entries_[at]->localHeaderOffset == entry->localHeaderOffset)
        throw EListError();
    auto it = entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
    return **it;
}

TZipHeaderInfo* TSortedZip::Find(uint32_t disk, uint64_t localHeaderOffset) const
{
    size_t at = LowerBound(disk, localHeaderOffset);
    if (at < entries_.size() && entries_[at]->diskNumberStart == disk
        && entries_[at]->localHeaderOffset == localHeaderOffset)
        return entries_[at].get();
    return nullptr;
}

} // namespace zelvora::zip
