#pragma once
// The checker's report as one JSON object, for scripts:
// {"catalog": [[organisation, examType, year, archiveName], ...],
//  "organisations": [...], "examTypes": [...], "years": [...],
//  "papers": [[name, pdfPath], ...], "problems": ["ERRO: ...", ...]}
// and, when problems of a kind were left out past the first hundred (the
// count line "... e mais N problemas deste tipo (kind)." stands among the
// problems), "omitted": [{"kind": ..., "error": true, "count": N}, ...],
// "errors": E, "warnings": W (every problem counted, those left out too).
#include "CheckReport.h"

#include <string>
#include <string_view>

namespace zelvora::check {

// A JSON string literal of UTF-8 text (quotes, backslashes and control
// characters escaped; invalid UTF-8 becomes U+FFFD).
std::string JsonString(std::string_view utf8);

std::string ToJson(const CheckReport& report);

} // namespace zelvora::check
