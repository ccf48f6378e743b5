#pragma once
// Plain-text list files: a file read whole and split into its lines.
//
// Format notes: a line ends at CR LF, at a lone CR or at a lone LF; a final
// line break adds no empty line; a NUL byte ends the text; nothing is trimmed.
// Bytes are kept as they stand (the files are Windows-1252).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora::text {

std::vector<std::string> SplitTextLines(std::string_view bytes);

// Reads the whole file. Returns nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// ReadWholeFile followed by SplitTextLines.
std::optional<std::vector<std::string>> ReadTextList(const std::string& path);

} // namespace zelvora::text
