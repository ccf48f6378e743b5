#pragma once
// A catalog of short lines (about 55 bytes, accents included, Windows-1252,
// CR LF) for the benchmarks that need a million lines under the catalog's
// size cap: organisations and exam types from short lists, years 1990 to
// 2025, one archive per line, every twentieth line repeating the one before
// in upper case.
#include <cstddef>
#include <cstdint>
#include <string>

std::string CompactCatalog(size_t lineCount, uint32_t seed);
