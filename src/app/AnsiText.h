#pragma once
// Conversion between the program's Windows-1252 bytes and Qt's strings, at the
// edge where text is shown or typed.
#include <QString>

#include <string>
#include <string_view>

namespace zelvora::app {

QString FromAnsi(std::string_view cp1252);
// A character that Windows-1252 lacks becomes "?".
std::string ToAnsi(const QString& text);
// Paths for the file system: data files keep names in Windows-1252, every
// "\" becomes "/".
QString AnsiPath(std::string_view cp1252);

} // namespace zelvora::app
