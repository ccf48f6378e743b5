#pragma once
// Entry names: from the bytes of a header to the name kept in the directory,
// and from that to the name of the file created for it.
#include "zip/TZipHeaderInfo.h"

#include <string>

namespace zelvora::zip {

// The name as the directory keeps it: every "/" turned into "\", and names
// from MS-DOS hosts (or every name when oemAlways) converted from code page
// 850 to Windows-1252, except names flagged UTF-8 (flag bit 11).
std::string StoredName(std::string raw, uint16_t versionMadeBy, uint16_t flags, bool oemAlways);

// Splits a stored name after its last "\" or ":" into directory part (ending
// in "\" when not empty) and file name part.
void SplitStoredName(const std::string& name, std::string& directory, std::string& fileName);

// The UTF-8 name of the file created for an entry: a UTF-8 flagged name as it
// stands; an MS-DOS name (already Windows-1252) converted; any other name as
// it stands when it is valid UTF-8, else taken as Windows-1252.
std::string FileNameForDisk(const TZipHeaderInfo& entry);

} // namespace zelvora::zip
