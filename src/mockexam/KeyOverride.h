#pragma once
// The answer key that replaces the one of a paper in a folder the program
// never writes (the installed data): it lives in the user's folder, under
// "simu/atualizados/", named after a hash of the paper's absolute PDF path,
// with its info file beside it. The exam reads it in place of the paper's
// own key when it is there.
#include <optional>
#include <string>

namespace zelvora::mockexam {

class KeyOverride {
public:
    // userFolder ends in "/"; paths in the file system's encoding.
    static std::string KeyPath(const std::string& userFolder, const std::string& absolutePdfPath);
    static std::string InfoPath(const std::string& userFolder, const std::string& absolutePdfPath);

    // The replacing key's path when the user's folder has one for the paper.
    static std::optional<std::string> Find(const std::string& userFolder, const std::string& absolutePdfPath);
};

} // namespace zelvora::mockexam
