#include "mockexam/PaperInfoReader.h"

#include "text/DataFile.h"

#include "text/Folding.h"
#include "text/TextList.h"
#include "text/Windows1252.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace zelvora::mockexam {

namespace {

constexpr int MaxDurationSeconds = 24 * 3600;
constexpr int MaxQuestion = 100000;

std::string_view Trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\xa0'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Lower case, accents removed, runs of spaces, "-", "/" and "_" made one "-":
// "Múltipla Escolha" and "multipla-escolha" read the same.
std::string Word(std::string_view cp1252)
{
    const std::string plain = text::RemoveAcentos(Trim(cp1252));
    std::string out;
    for (const char c : plain) {
        const bool separator = c == ' ' || c == '-' || c == '/' || c == '_' || c == '\t';
        if (separator) {
            if (!out.empty() && out.back() != '-')
                out += '-';
        } else {
            out += char(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    while (!out.empty() && out.back() == '-')
        out.pop_back();
    return out;
}

std::string Quote(std::string_view cp1252)
{
    return "\"" + text::Cp1252ToUtf8(cp1252) + "\"";
}

bool IsDigits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A whole number of at most six digits.
std::optional<int> Number(std::string_view s)
{
    if (!IsDigits(s) || s.size() > 6)
        return std::nullopt;
    int n = 0;
    for (const char c : s)
        n = n * 10 + (c - '0');
    return n;
}

// "3 horas e 30 minutos", "2h30", "90min", "2 h 15 m": numbers each followed
// by its unit; a number after hours without a unit is minutes.
std::optional<int> UnitDuration(std::string_view s)
{
    int total = 0;
    bool any = false;
    bool hadHours = false;
    size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < s.size() && (s[i] == ' ' || s[i] == '-'))
            ++i;
    };
    while (true) {
        skipBlanks();
        if (i >= s.size())
            break;
        if (any && s.compare(i, 2, "e-") == 0) { // "3-horas-e-30"
            i += 2;
            continue;
        }
        size_t start = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i;
        const auto n = Number(s.substr(start, i - start));
        if (!n)
            return std::nullopt;
        skipBlanks();
        start = i;
        while (i < s.size() && s[i] >= 'a' && s[i] <= 'z')
            ++i;
        const std::string_view unit = s.substr(start, i - start);
        if (unit == "h" || unit == "hora" || unit == "horas") {
            if (hadHours)
                return std::nullopt;
            hadHours = true;
            total += *n * 3600;
        } else if (unit == "m" || unit == "min" || unit == "mins" || unit == "minuto" || unit == "minutos"
                   || (unit.empty() && hadHours && i >= s.size())) {
            total += *n * 60;
        } else {
            return std::nullopt;
        }
        any = true;
        if (total > MaxDurationSeconds * 2)
            return std::nullopt;
    }
    if (!any)
        return std::nullopt;
    return total;
}

} // namespace

std::optional<int> PaperInfoReader::ParseDuration(std::string_view value)
{
    const std::string w = Word(value);
    if (w == "sem-limite" || w == "livre" || w == "nenhuma")
        return 0;
    std::optional<int> seconds;
    if (const auto colon = w.find(':'); colon != std::string::npos) {
        // h:mm or h:mm:ss
        const std::string_view s = w;
        const auto second = s.find(':', colon + 1);
        const auto h = Number(s.substr(0, colon));
        const auto m = Number(s.substr(colon + 1, second == std::string_view::npos ? s.npos : second - colon - 1));
        std::optional<int> sec = 0;
        if (second != std::string_view::npos)
            sec = s.substr(second + 1).size() == 2 ? Number(s.substr(second + 1)) : std::nullopt;
        const size_t minuteDigits = (second == std::string_view::npos ? s.size() : second) - colon - 1;
        if (h && m && sec && minuteDigits == 2 && *m < 60 && *sec < 60 && *h <= 24)
            seconds = *h * 3600 + *m * 60 + *sec;
    } else if (const auto minutes = Number(w)) {
        seconds = *minutes * 60;
    } else {
        seconds = UnitDuration(w);
    }
    if (!seconds || *seconds <= 0 || *seconds > MaxDurationSeconds)
        return std::nullopt;
    return seconds;
}

std::vector<std::pair<int, int>> PaperInfoReader::ParseRanges(std::string_view value, std::vector<std::string>* bad)
{
    std::vector<std::pair<int, int>> ranges;
    // Items are separated by "," or ";". Inside an item, "-", the en dash or
    // the word "a" joins two numbers into a range ("1-10", "1 a 10"), and
    // spaces separate single numbers ("7 31").
    size_t start = 0;
    while (start <= value.size()) {
        auto end = value.find_first_of(",;", start);
        if (end == std::string_view::npos)
            end = value.size();
        const std::string_view item = Trim(value.substr(start, end - start));
        start = end + 1;
        if (item.empty())
            continue;
        // Tokens: numbers, and -1 for a range joiner.
        std::vector<int> tokens;
        bool ok = true;
        for (size_t i = 0; i < item.size() && ok;) {
            const char c = item[i];
            if (c == ' ' || c == '\t') {
                ++i;
            } else if (c == '-' || c == '\x96') {
                tokens.push_back(-1);
                ++i;
            } else if (c >= '0' && c <= '9') {
                size_t j = i;
                while (j < item.size() && item[j] >= '0' && item[j] <= '9')
                    ++j;
                const auto n = Number(item.substr(i, j - i));
                ok = n && *n >= 1 && *n <= MaxQuestion;
                if (ok)
                    tokens.push_back(*n);
                i = j;
            } else if ((c == 'a' || c == 'A') && (i + 1 == item.size() || item[i + 1] == ' ')) {
                tokens.push_back(-1);
                ++i;
            } else {
                ok = false;
            }
        }
        std::vector<std::pair<int, int>> found;
        for (size_t k = 0; k < tokens.size() && ok; ++k) {
            if (tokens[k] < 0) {
                ok = false;
            } else if (k + 2 < tokens.size() && tokens[k + 1] < 0 && tokens[k + 2] >= 0) {
                ok = tokens[k] <= tokens[k + 2];
                found.emplace_back(tokens[k], tokens[k + 2]);
                k += 2;
            } else if (k + 1 < tokens.size() && tokens[k + 1] < 0) {
                ok = false;
            } else {
                found.emplace_back(tokens[k], tokens[k]);
            }
        }
        if (ok && !found.empty())
            ranges.insert(ranges.end(), found.begin(), found.end());
        else if (bad)
            bad->push_back(std::string(item));
    }
    return ranges;
}

PaperInfoReading PaperInfoReader::Parse(const std::vector<std::string>& rawLines)
{
    PaperInfoReading r;
    auto problem = [&r](int line, bool error, std::string text) {
        r.problems.push_back({line, error, std::move(text)});
    };

    std::vector<std::string> lines = rawLines;
    if (!lines.empty() && lines.front().compare(0, 3, "\xEF\xBB\xBF") == 0)
        lines.front().erase(0, 3);
    // A file saved as UTF-8 by mistake still reads: its text is taken back to
    // Windows-1252, and the keeper is told.
    bool utf8 = false;
    for (const auto& line : lines)
        if (std::any_of(line.begin(), line.end(), [](char c) { return (unsigned char)c >= 0x80; }))
            utf8 = true;
    if (utf8) {
        bool valid = true;
        for (const auto& line : lines)
            valid = valid && text::IsValidUtf8(line);
        utf8 = valid;
    }
    if (utf8 || (!rawLines.empty() && rawLines.front().compare(0, 3, "\xEF\xBB\xBF") == 0)) {
        for (auto& line : lines)
            line = text::Utf8ToCp1252(line);
        problem(0, false, "o arquivo está em UTF-8; o formato esperado é Windows-1252 (foi lido assim mesmo).");
    }

    std::set<std::string> seen;
    std::vector<int> annulled;
    for (size_t i = 0; i < lines.size(); ++i) {
        const int n = int(i + 1);
        const std::string_view line = Trim(lines[i]);
        if (line.empty() || line.front() == ';' || line.front() == '[')
            continue;
        const auto eq = line.find('=');
        if (eq == std::string_view::npos) {
            problem(n, false, "linha sem \"=\", ignorada: " + Quote(line));
            continue;
        }
        const std::string key = Word(line.substr(0, eq));
        const std::string_view value = Trim(line.substr(eq + 1));
        const bool single = key == "duracao" || key == "tipo" || key == "pontuacao";
        if (single && !seen.insert(key).second)
            problem(n, false, "\"" + key + "\" repetida; vale a última.");

        if (key == "duracao") {
            const auto seconds = ParseDuration(value);
            if (!seconds) {
                problem(n, true,
                        "duração " + Quote(value)
                            + " não reconhecida (use, por exemplo, 3:00, 180, 2h30 ou sem limite); "
                              "a prova fica sem limite de tempo.");
                r.info.durationSeconds.reset();
            } else if (*seconds == 0) {
                r.info.durationSeconds.reset();
            } else {
                r.info.durationSeconds = *seconds;
            }
        } else if (key == "tipo") {
            const std::string w = Word(value);
            if (w == "multipla" || w == "multipla-escolha" || w == "a-e")
                r.info.itemType = ItemType::MultipleChoice;
            else if (w == "certo-errado" || w == "certo-ou-errado" || w == "c-e" || w == "ce")
                r.info.itemType = ItemType::RightWrong;
            else
                problem(n, true,
                        "tipo " + Quote(value)
                            + " não reconhecido (use multipla ou certo-errado); vale múltipla escolha.");
        } else if (key == "pontuacao") {
            const std::string w = Word(value);
            if (w == "simples")
                r.info.scoring = ScoringRule::Simple;
            else if (w == "anula" || w == "uma-errada-anula-uma-certa" || w == "liquida")
                r.info.scoring = ScoringRule::Cancelling;
            else
                problem(n, true,
                        "pontuação " + Quote(value)
                            + " não reconhecida (use simples ou anula); vale a pontuação simples.");
        } else if (key == "anuladas" || key == "anulada") {
            std::vector<std::string> bad;
            // Bounded: a file of many huge ranges cannot eat the memory.
            for (const auto& [first, last] : ParseRanges(value, &bad))
                for (int q = first; q <= last && annulled.size() < size_t(MaxQuestion); ++q)
                    annulled.push_back(q);
            for (const auto& b : bad)
                problem(n, true, "questão anulada " + Quote(b) + " não é um número nem um intervalo; ignorada.");
        } else if (key == "disciplina") {
            const auto colon = value.rfind(':');
            const std::string_view name = Trim(value.substr(0, colon == std::string_view::npos ? 0 : colon));
            if (colon == std::string_view::npos || name.empty()) {
                problem(n, true,
                        "disciplina " + Quote(value)
                            + " sem o formato \"nome: questões\" (por exemplo Língua Portuguesa: 1-10); ignorada.");
                continue;
            }
            std::vector<std::string> bad;
            auto ranges = ParseRanges(value.substr(colon + 1), &bad);
            for (const auto& b : bad)
                problem(n, true,
                        "disciplina " + Quote(name) + ": " + Quote(b) + " não é um número nem um intervalo; ignorado.");
            if (ranges.empty()) {
                if (bad.empty())
                    problem(n, true, "disciplina " + Quote(name) + " sem questões; ignorada.");
                continue;
            }
            r.info.subjects.push_back({text::Cp1252ToUtf8(name), std::move(ranges)});
        } else {
            problem(n, false, "chave " + Quote(line.substr(0, eq)) + " desconhecida, ignorada.");
        }
    }
    std::sort(annulled.begin(), annulled.end());
    annulled.erase(std::unique(annulled.begin(), annulled.end()), annulled.end());
    r.info.annulled = std::move(annulled);
    return r;
}

std::optional<PaperInfoReading> PaperInfoReader::Load(const std::string& path)
{
    // An info file is a few lines, like a key: the key's cap serves it.
    const auto lines = text::ReadTextList(path, text::DataFile::KeyCap);
    if (!lines)
        return std::nullopt;
    return Parse(*lines);
}

std::vector<InfoProblem> PaperInfoReader::CheckAgainstKey(const PaperInfo& info, const std::vector<std::string>& key)
{
    std::vector<InfoProblem> problems;
    const int count = int(key.size());
    const std::string questions = std::to_string(count) + (count == 1 ? " questão" : " questões");
    std::vector<int> missing;
    for (const int q : info.annulled)
        if (q > count)
            missing.push_back(q);
    if (!missing.empty()) {
        std::string list;
        for (const int q : missing)
            list += (list.empty() ? "" : ", ") + std::to_string(q);
        problems.push_back({0, true,
                            "anuladas: " + list + (missing.size() == 1 ? " não existe" : " não existem")
                                + " (a prova tem " + questions + ")."});
    }
    for (const auto& s : info.subjects)
        for (const auto& [first, last] : s.ranges)
            if (last > count) {
                problems.push_back({0, true,
                                    "disciplina \"" + s.name + "\": questões até " + std::to_string(last)
                                        + ", mas a prova tem " + questions + "."});
                break;
            }
    for (size_t a = 0; a < info.subjects.size(); ++a)
        for (size_t b = a + 1; b < info.subjects.size(); ++b)
            for (int q = 1; q <= count; ++q)
                if (info.subjects[a].contains(q) && info.subjects[b].contains(q)) {
                    problems.push_back({0, false,
                                        "a questão " + std::to_string(q) + " está em duas disciplinas (\""
                                            + info.subjects[a].name + "\" e \"" + info.subjects[b].name
                                            + "\") e conta nas duas."});
                    break;
                }

    std::vector<int> bad;
    for (int q = 1; q <= count; ++q)
        if (!info.isAnnulled(q) && info.optionOf(key[size_t(q - 1)]) < 0)
            bad.push_back(q);
    if (!bad.empty()) {
        std::string list;
        const size_t shown = std::min<size_t>(bad.size(), 10);
        for (size_t k = 0; k < shown; ++k)
            list += (k ? ", " : "") + std::to_string(bad[k]);
        if (bad.size() > shown)
            list += " e mais " + std::to_string(bad.size() - shown);
        const std::string expected = info.itemType == ItemType::RightWrong ? "\"C\" ou \"E\"" : "um dígito de 1 a 5";
        problems.push_back({0, true,
                            "o gabarito tem linhas que não são " + expected + " (nenhuma resposta as acerta): "
                                + (bad.size() == 1 ? "linha " : "linhas ") + list + "."});
    }
    return problems;
}

std::string PaperInfoReader::DurationText(int seconds)
{
    if (seconds < 0)
        seconds = 0;
    const int h = seconds / 3600;
    const int m = seconds / 60 % 60;
    const int s = seconds % 60;
    auto two = [](int v) { return std::string(v < 10 ? "0" : "") + std::to_string(v); };
    std::string out = std::to_string(h) + ":" + two(m);
    if (s)
        out += ":" + two(s);
    return out;
}

} // namespace zelvora::mockexam
