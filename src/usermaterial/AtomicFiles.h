#pragma once
// Whole-file writes that a crash cannot leave half done: the new content goes
// to a temporary file beside the target, which then replaces it (QSaveFile).
#include <QString>

#include <string>
#include <vector>

namespace zelvora::usermaterial {

class AtomicFiles {
public:
    // The lines of a list file (a missing file has none). Text after a NUL
    // byte is not part of the list, so it is not kept either.
    static std::vector<std::string> ReadLines(const QString& path);

    // Each line followed by CR LF.
    static bool WriteLines(const QString& path, const std::vector<std::string>& lines);
    static bool WriteBytes(const QString& path, const std::string& bytes);
    // Copies source to target; target is only created once all was copied.
    static bool Copy(const QString& source, const QString& target);
};

} // namespace zelvora::usermaterial
