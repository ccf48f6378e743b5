#pragma once
// Portuguese (Brazil) collation through Qt's ICU-backed QCollator: letter case
// ignored, accents significant. Text comes in as Windows-1252 bytes.
#include "text/Collation.h"

#include <memory>

namespace zelvora::text {

class PtBrCollation final : public Collation {
public:
    PtBrCollation();
    ~PtBrCollation() override;

    int compare(std::string_view a, std::string_view b) const override;
    // Sorts by precomputed sort keys: one key per item instead of a full
    // comparison per step keeps a 100,000-line catalog fast.
    std::vector<size_t> stableOrder(const std::vector<std::string_view>& items,
                                    std::vector<bool>* equalToPrevious = nullptr) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace zelvora::text
