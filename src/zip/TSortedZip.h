#pragma once
// The entries of an archive's directory, kept in ascending order of (disk
// number start, local header offset). That order is also the order in which
// entries are extracted.
#include "zip/TZipHeaderInfo.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace zelvora::zip {

class TSortedZip {
public:
    // Inserts at its place; throws EListError "Duplicate Object index" when an
    // entry with the same disk and local header offset is already held.
    TZipHeaderInfo& Add(std::unique_ptr<TZipHeaderInfo> entry);
    // The entry with that disk and local header offset, or nullptr.
    TZipHeaderInfo* Find(uint32_t disk, uint64_t localHeaderOffset) const;

    size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    TZipHeaderInfo& operator[](size_t i) const { return *entries_[i]; }

private:
    size_t LowerBound(uint32_t disk, uint64_t offset) const;
    std::vector<std::unique_ptr<TZipHeaderInfo>> entries_;
};

} // namespace zelvora::zip
