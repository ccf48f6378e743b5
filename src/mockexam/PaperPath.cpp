#include "mockexam/PaperPath.h"

#include "text/Windows1252.h"

#include <algorithm>

namespace zelvora::mockexam {

bool PaperPath::IsAbsolute(std::string_view path)
{
    if (path.empty())
        return false;
    if (path[0] == '/' || path[0] == '\\')
        return true;
    const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    return path.size() >= 2 && isLetter(path[0]) && path[1] == ':';
}

bool PaperPath::ClimbsOut(std::string_view path)
{
    long depth = 0;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = path.size();
        std::string_view part = path.substr(start, end - start);
        while (!part.empty() && part.back() == ' ')
            part.remove_suffix(1);
        const bool onlyDots = !part.empty() && part.find_first_not_of('.') == std::string_view::npos;
        if (onlyDots && part.size() >= 2) {
            if (--depth < 0)
                return true;
        } else if (!part.empty() && !onlyDots) {
            ++depth;
        }
        start = end + 1;
    }
    return false;
}

std::string PaperPath::KeyPathFor(std::string_view pdfPath)
{
    std::string key = InfoPathFor(pdfPath);
    key.replace(key.size() - 4, 4, ".txt");
    return key;
}

std::string PaperPath::InfoPathFor(std::string_view pdfPath)
{
    const auto lastSeparator = pdfPath.find_last_of("\\/:");
    const auto lastDot = pdfPath.rfind('.');
    const bool hasExtension = lastDot != std::string_view::npos
        && (lastSeparator == std::string_view::npos || lastDot > lastSeparator);
    std::string key(hasExtension ? pdfPath.substr(0, lastDot) : pdfPath);
    key += ".ini";
    return key;
}

std::string PaperPath::Resolve(const std::string& folder, std::string_view relativeCp1252)
{
    std::string relative = text::Cp1252ToUtf8(relativeCp1252);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return folder + relative;
}

} // namespace zelvora::mockexam
