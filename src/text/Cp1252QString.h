#pragma once
// Windows-1252 bytes as a Qt string: the one conversion the Qt parts of the
// program use (display, collation). Each byte becomes one UTF-16 unit, by
// the table in Windows1252.h.
#include <QString>

#include <string_view>

namespace zelvora::text {

QString Cp1252ToQString(std::string_view cp1252);
// The same, written into out, reusing its buffer.
void Cp1252ToQString(std::string_view cp1252, QString& out);

} // namespace zelvora::text
