#include "mockexam/KeyOverride.h"

#include <cstdint>
#include <cstdio>
#include <sys/stat.h>

namespace zelvora::mockexam {

namespace {

// FNV-1a, 64 bits: a stable name for the path, never read back.
std::string Stem(const std::string& userFolder, const std::string& pdf)
{
    std::uint64_t h = 1469598103934665603ull;
    for (const unsigned char c : pdf) {
        h ^= c;
        h *= 1099511628211ull;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
    return userFolder + "simu/atualizados/" + hex;
}

} // namespace

std::string KeyOverride::KeyPath(const std::string& userFolder, const std::string& absolutePdfPath)
{
    return Stem(userFolder, absolutePdfPath) + ".txt";
}

std::string KeyOverride::InfoPath(const std::string& userFolder, const std::string& absolutePdfPath)
{
    return Stem(userFolder, absolutePdfPath) + ".ini";
}

std::optional<std::string> KeyOverride::Find(const std::string& userFolder, const std::string& absolutePdfPath)
{
    if (userFolder.empty())
        return std::nullopt;
    const std::string path = KeyPath(userFolder, absolutePdfPath);
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return path;
}

} // namespace zelvora::mockexam
