#include "zip/EntryName.h"

#include "text/CodePage850.h"
#include "text/Windows1252.h"

#include <algorithm>

namespace zelvora::zip {

std::string StoredName(std::string raw, uint16_t versionMadeBy, uint16_t flags, bool oemAlways)
{
    std::replace(raw.begin(), raw.end(), '/', '\\');
    const bool utf8 = flags & 0x0800;
    if (!utf8 && (oemAlways || (versionMadeBy >> 8) == 0))
        raw = text::Cp850ToCp1252(raw);
    return raw;
}

void SplitStoredName(const std::string& name, std::string& directory, std::string& fileName)
{
    size_t cut = name.find_last_of("\\:");
    if (cut == std::string::npos) {
        directory.clear();
        fileName = name;
        return;
    }
    directory = name.substr(0, cut + 1);
    fileName = name.substr(cut + 1);
}

std::string FileNameForDisk(const TZipHeaderInfo& entry)
{
    if (entry.IsUtf8())
        return entry.fileName;
    if (entry.HostSystem() == 0 || !text::IsValidUtf8(entry.fileName))
        return text::Cp1252ToUtf8(entry.fileName);
    return entry.fileName;
}

} // namespace zelvora::zip
