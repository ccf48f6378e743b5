#pragma once
// zelvora-check --gabarito KEY [--json]: what the program's key reader finds
// in an answer-key PDF (or in a text file holding a copied key).
#include "mockexam/KeySheet.h"
#include "text/Result.h"

#include <QString>

#include <ostream>
#include <string>

namespace zelvora::check {

class KeyCheck {
public:
    // Prints the sections to out (text or JSON) and returns 0, or prints one
    // line saying why the key cannot be read to err and returns 1.
    static int Run(const QString& path, bool json, std::ostream& out, std::ostream& err);

    // {"sections": [{"title": ..., "answers": [...], "annulled": [...]}]}
    static std::string Json(const mockexam::KeySheet& sheet);
    // Why a key could not be read, in Portuguese.
    static std::string Reason(mockexam::KeyReadCode code, const std::string& detail);
};

} // namespace zelvora::check
