#pragma once
// Letter case and accent folding of Windows-1252 text, for the catalog search.
// Every function keeps the length of its input: one byte in, one byte out.
#include <cstdint>
#include <string>
#include <string_view>

namespace zelvora::text {

// Upper case of one Windows-1252 byte: a-z to A-Z, E0-FE except F7 to C0-DE,
// FF to 9F, 9A to 8A, 9C to 8C, 9E to 8E; every other byte unchanged
// (so ß, µ, ª and º stay as they are).
uint8_t UpperCase1252(uint8_t byte);
std::string UpperCase1252(std::string_view text);

// Replaces each accented vowel, Ç, Ñ, Ý and Ÿ (both cases) by its plain
// letter in the same case. Å, Æ, Ø, ß, Ð, Þ, Š, Ž, Œ, ª and º are left alone.
std::string RemoveAcentos(std::string_view text);

// How a catalog field is folded for the search: upper case, then RemoveAcentos.
std::string FoldForSearch(std::string_view text);

// How the typed search term is folded: RemoveAcentos, upper case, then leading
// and trailing spaces (no-break space included) and control characters
// (DEL and the C1 bytes included) stripped.
std::string FoldSearchTerm(std::string_view text);

} // namespace zelvora::text
