#include "CheckJson.h"

#include "text/Windows1252.h"

#include <cstdio>

namespace zelvora::check {

namespace {

// Length of the valid UTF-8 sequence at s[i], or 0.
size_t Utf8Length(std::string_view s, size_t i)
{
    const auto b = uint8_t(s[i]);
    size_t n = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
    if (n == 0 || i + n > s.size())
        return 0;
    return text::IsValidUtf8(s.substr(i, n)) ? n : 0;
}

template <typename List, typename Fn>
void Array(std::string& out, const List& list, Fn each)
{
    out += '[';
    bool first = true;
    for (const auto& item : list) {
        if (!first)
            out += ", ";
        first = false;
        each(item);
    }
    out += ']';
}

} // namespace

std::string JsonString(std::string_view s)
{
    std::string out = "\"";
    for (size_t i = 0; i < s.size();) {
        const char c = s[i];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
            ++i;
        } else if (uint8_t(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", unsigned(uint8_t(c)));
            out += buf;
            ++i;
        } else if (const size_t n = Utf8Length(s, i)) {
            out.append(s.substr(i, n));
            i += n;
        } else {
            out += "\xEF\xBF\xBD";
            ++i;
        }
    }
    out += '"';
    return out;
}

std::string ToJson(const CheckReport& r)
{
    std::string out = "{\"catalog\": ";
    Array(out, r.catalog,
          [&](const auto& row) { Array(out, row, [&](const std::string& field) { out += JsonString(field); }); });
    const auto strings = [&](const char* key, const std::vector<std::string>& list) {
        out += ", ";
        out += JsonString(key);
        out += ": ";
        Array(out, list, [&](const std::string& v) { out += JsonString(v); });
    };
    strings("organisations", r.organisations);
    strings("examTypes", r.examTypes);
    strings("years", r.years);
    out += ", \"papers\": ";
    Array(out, r.papers,
          [&](const auto& paper) { out += '[' + JsonString(paper.first) + ", " + JsonString(paper.second) + ']'; });
    out += ", \"problems\": ";
    Array(out, r.problems, [&](const CheckProblem& p) { out += JsonString(p.line()); });
    // Only when problems were left out: how many of each kind and weight.
    std::vector<const CheckProblem*> omitted;
    for (const auto& p : r.problems)
        if (p.omitted > 0)
            omitted.push_back(&p);
    if (!omitted.empty()) {
        out += ", \"omitted\": ";
        Array(out, omitted, [&](const CheckProblem* p) {
            out += "{\"kind\": " + JsonString(p->kind) + ", \"error\": " + (p->error ? "true" : "false")
                + ", \"count\": " + std::to_string(p->omitted) + '}';
        });
        out += ", \"errors\": " + std::to_string(r.errorCount())
            + ", \"warnings\": " + std::to_string(r.warningCount());
    }
    out += "}\n";
    return out;
}

} // namespace zelvora::check
