#pragma once
// Plain-text list files: a file read whole and split into its lines.
//
// Format notes: a line ends at CR LF, at a lone CR or at a lone LF; a final
// line break adds no empty line; a NUL byte ends the text; nothing is trimmed.
// Bytes are kept as they stand (the files are Windows-1252).
#include "text/DataFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora::text {

std::vector<std::string> SplitTextLines(std::string_view bytes);

// Reads the whole file through DataFile: nothing when it is not a regular
// file, is larger than cap, or cannot be read (the reason in status).
std::optional<std::string> ReadWholeFile(const std::string& path, uint64_t cap = DataFile::ListCap,
                                         DataFileStatus* status = nullptr);

// ReadWholeFile followed by SplitTextLines.
std::optional<std::vector<std::string>> ReadTextList(const std::string& path, uint64_t cap = DataFile::ListCap,
                                                     DataFileStatus* status = nullptr);

} // namespace zelvora::text
