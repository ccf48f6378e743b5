#pragma once
// The entries of an archive's directory, kept in ascending order of (disk
// number start, local header offset). That order is also the order in which
// entries are extracted. Held in a balanced tree, so that a directory listed
// in reverse order (hostile or not) still loads in n log n, not n squared.
#include "zip/TZipHeaderInfo.h"

#include <cstddef>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace zelvora::zip {

class TSortedZip {
public:
    // Inserts at its place; throws EListError "Duplicate Object index" when an
    // entry with the same disk and local header offset is already held.
    TZipHeaderInfo& Add(std::unique_ptr<TZipHeaderInfo> entry);
    // The same without the error: nullptr (and entry left with the caller)
    // when an entry with the same disk and local header offset is held.
    TZipHeaderInfo* TryAdd(std::unique_ptr<TZipHeaderInfo>& entry);
    // The entry with that disk and local header offset, or nullptr.
    TZipHeaderInfo* Find(uint32_t disk, uint64_t localHeaderOffset) const;

    size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    // The i-th entry in list order.
    TZipHeaderInfo& operator[](size_t i) const;

private:
    using Key = std::pair<uint32_t, uint64_t>; // disk number start, local header offset
    std::map<Key, std::unique_ptr<TZipHeaderInfo>> entries_;
    // Entries in list order for indexed access, rebuilt after an Add.
    mutable std::vector<TZipHeaderInfo*> order_;
    mutable bool orderStale_ = false;
};

} // namespace zelvora::zip
