#pragma once
// Last year's cut-off score of an attempt's paper, as a percentage of the
// paper's maximum points, for drawing it beside the attempts' percentages.
// Read from the info file beside the paper's PDF; nothing when the paper has
// no cut-off, no key or no info file any more.
#include "attempts/PaperIdentity.h"

#include <optional>

namespace zelvora::attempts {

struct PaperCutoff {
    double points = 0;
    double maximum = 0;
    double percentage() const { return maximum > 0 ? points / maximum * 100.0 : 0.0; }

    static std::optional<PaperCutoff> For(const PaperIdentity& paper);
};

} // namespace zelvora::attempts
