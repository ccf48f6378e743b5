#pragma once
#include "zip/ZipErrors.h"

namespace zelvora::zip {

// The component was called again from one of its own callbacks (a window
// message processed during its work).
class EZipBusy : public ZipError {
public:
    EZipBusy() : ZipError("Zip component busy") {}
};

} // namespace zelvora::zip
