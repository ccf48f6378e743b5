#pragma once
// Windows-1252 ("ANSI") text. The program keeps the bytes of its data files
// unchanged and converts only at the edges: to Unicode for display, and from
// Unicode for text the user types.
//
// Format notes: 0x00-0x7F is ASCII and 0xA0-0xFF is Latin-1. 0x80-0x9F holds
// the typographic characters; the five bytes Windows leaves undefined there
// (81, 8D, 8F, 90, 9D) map to the code point of the same value, so every byte
// round-trips. A character that Windows-1252 lacks becomes "?".
#include <cstdint>
#include <string>
#include <string_view>

namespace zelvora::text {

char32_t Cp1252ToUnicode(uint8_t byte);
// Returns '?' for a code point that Windows-1252 cannot hold.
uint8_t UnicodeToCp1252(char32_t codePoint);

std::string Cp1252ToUtf8(std::string_view cp1252);
// Invalid UTF-8 sequences become "?" as well.
std::string Utf8ToCp1252(std::string_view utf8);
bool IsValidUtf8(std::string_view bytes);

} // namespace zelvora::text
