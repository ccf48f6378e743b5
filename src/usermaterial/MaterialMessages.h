#pragma once
// What the user reads when material cannot be added or removed, one sentence
// per reason.
#include "usermaterial/MaterialCode.h"

#include <QString>

#include <string>

namespace zelvora::usermaterial {

class MaterialMessages {
public:
    static QString Text(MaterialCode code, const std::string& detail);
    template <typename R>
    static QString Text(const R& result)
    {
        return Text(result.code(), result.detail());
    }
    // A field check of the dialog's own (UserMaterial::CheckField), with what
    // naming the field ("O nome do bloco").
    static QString Field(const MaterialResult& check, const QString& what);
};

} // namespace zelvora::usermaterial
