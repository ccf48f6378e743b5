#pragma once
// The checker's report as one JSON object, for scripts:
// {"catalog": [[organisation, examType, year, archiveName], ...],
//  "organisations": [...], "examTypes": [...], "years": [...],
//  "papers": [[name, pdfPath], ...], "problems": ["ERRO: ...", ...]}
#include "CheckReport.h"

#include <string>
#include <string_view>

namespace zelvora::check {

// A JSON string literal of UTF-8 text (quotes, backslashes and control
// characters escaped; invalid UTF-8 becomes U+FFFD).
std::string JsonString(std::string_view utf8);

std::string ToJson(const CheckReport& report);

} // namespace zelvora::check
