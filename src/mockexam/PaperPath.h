#pragma once
// Paths of a paper as the mock-exam list writes them: relative to the
// mock-exam folder, in Windows-1252, with "\" between folders
// ("2008\prova01.pdf").
#include <string>
#include <string_view>

namespace zelvora::mockexam {

class PaperPath {
public:
    // "/x", "\x" and drive paths such as "C:\x" or "C:x".
    static bool IsAbsolute(std::string_view path);

    // True when the path, read with "\" and "/" both as separators, climbs
    // above the folder it is relative to at any point ("..\x.pdf",
    // "a\..\..\x.pdf", "a/../../x.pdf"). A step ".." inside the folder
    // ("a\..\x.pdf") stays in it. Names made only of dots and trailing
    // spaces ("...", ".. ") count as ".." too: Windows reads them so.
    static bool ClimbsOut(std::string_view path);

    // The answer key's path for a PDF path: its extension (from the last "."
    // after the last "\", "/" or ":") replaced by ".txt", or ".txt" appended
    // when there is none. Stays relative and in Windows-1252.
    static std::string KeyPathFor(std::string_view pdfPath);
    // The info file's path: the same with ".ini" ("2008\prova01.ini").
    static std::string InfoPathFor(std::string_view pdfPath);

    // folder (UTF-8, ending in "/") followed by the relative path turned into
    // UTF-8 with every "\" made "/".
    static std::string Resolve(const std::string& folder, std::string_view relativeCp1252);
};

} // namespace zelvora::mockexam
