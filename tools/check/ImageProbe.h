#pragma once
// Reads a skin picture the way the program does, to learn its size. Kept
// behind an interface so the checker's logic stays free of any toolkit.
#include <optional>
#include <string>

namespace zelvora::check {

struct ImageSize {
    int width = 0;
    int height = 0;
    bool operator==(const ImageSize&) const = default;
};

class ImageProbe {
public:
    virtual ~ImageProbe() = default;
    // The size of the decoded picture; nothing when the file does not decode.
    virtual std::optional<ImageSize> size(const std::string& path) const = 0;
};

} // namespace zelvora::check
