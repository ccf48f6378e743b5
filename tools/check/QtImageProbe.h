#pragma once
// The ImageProbe the checker uses: Qt's image reader, the same that loads the
// skins in the program.
#include "ImageProbe.h"

namespace zelvora::check {

class QtImageProbe final : public ImageProbe {
public:
    std::optional<ImageSize> size(const std::string& path) const override;
};

} // namespace zelvora::check
