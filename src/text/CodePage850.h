#pragma once
// Code page 850, the MS-DOS ("OEM") code page of Portuguese Windows, in which
// zip archives made on MS-DOS store their file names.
//
// Format notes: 0x00-0x7F is ASCII. Characters of 0x80-0xFF that Windows-1252
// also holds map to their 1252 byte; the rest (box drawing, a few symbols)
// become "?".
#include <cstdint>
#include <string>
#include <string_view>

namespace zelvora::text {

uint8_t Cp850ToCp1252(uint8_t byte);
std::string Cp850ToCp1252(std::string_view cp850);

} // namespace zelvora::text
