#pragma once
// Makes a realistic "nomes.txt" for the benchmark: Portuguese organisation
// and exam names with accents, years, archive names, a share of lines that
// repeat an earlier one in another letter case, all in Windows-1252.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CatalogGenerator {
public:
    explicit CatalogGenerator(uint32_t seed) : m_seed(seed) {}

    // lineCount lines in random order; duplicatePercent of them repeat
    // another line with letters in another case. Lines are joined by CR LF.
    std::string generate(size_t lineCount, unsigned duplicatePercent);

    // Distinct lines (under a case-insensitive comparison) of the last generate().
    size_t distinctLines() const { return m_distinct; }

private:
    uint32_t m_seed;
    size_t m_distinct = 0;
};
