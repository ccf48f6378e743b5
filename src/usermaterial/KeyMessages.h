#pragma once
// What the user reads when an answer key cannot be read, one sentence per
// reason.
#include "mockexam/KeySheet.h"

#include <QString>

#include <string>

namespace zelvora::usermaterial {

class KeyMessages {
public:
    static QString Text(mockexam::KeyReadCode code, const std::string& detail);
};

} // namespace zelvora::usermaterial
