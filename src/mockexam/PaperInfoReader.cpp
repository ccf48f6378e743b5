#include "mockexam/PaperInfoReader.h"

#include "mockexam/ExamScore.h"
#include "mockexam/QuestionRanges.h"
#include "text/DataFile.h"

#include "text/Folding.h"
#include "text/TextList.h"
#include "text/Windows1252.h"

#include <algorithm>
#include <cctype>
#include <map>
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
    // "-1:00" is no time: the "-" must not vanish as a separator.
    if (const auto t = Trim(value); !t.empty() && (t.front() == '-' || t.front() == '\x96'))
        return std::nullopt;
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

namespace {

// Options after a subject's or block's questions: "; peso=2; minimo=10".
struct RangeOptions {
    std::vector<std::pair<int, int>> ranges;
    std::vector<std::string> bad; // range items that could not be read
    std::optional<double> weight;
    std::optional<double> minimum;
    std::vector<std::string> badOptions; // Portuguese, UTF-8
};

RangeOptions ReadRangeOptions(std::string_view value)
{
    RangeOptions o;
    size_t start = 0;
    while (start <= value.size()) {
        auto end = value.find(';', start);
        if (end == std::string_view::npos)
            end = value.size();
        const std::string_view segment = Trim(value.substr(start, end - start));
        start = end + 1;
        const auto eq = segment.find('=');
        if (eq == std::string_view::npos) {
            const auto found = PaperInfoReader::ParseRanges(segment, &o.bad);
            o.ranges.insert(o.ranges.end(), found.begin(), found.end());
            continue;
        }
        const std::string option = Word(segment.substr(0, eq));
        const std::string_view number = Trim(segment.substr(eq + 1));
        const auto n = PaperInfoReader::ParseDecimal(number);
        if (option == "peso") {
            if (n && *n > 0)
                o.weight = n;
            else
                o.badOptions.push_back("peso " + Quote(number) + " não é um número maior que zero; vale 1");
        } else if (option == "minimo" || option == "minima" || option == "nota-minima") {
            if (n)
                o.minimum = n;
            else
                o.badOptions.push_back("mínimo " + Quote(number) + " não é um número; fica sem mínimo");
        } else {
            o.badOptions.push_back("opção " + Quote(segment.substr(0, eq))
                                   + " desconhecida (use peso ou minimo); ignorada");
        }
    }
    // A file that names the same range again and again keeps it once.
    std::set<std::pair<int, int>> seen;
    std::vector<std::pair<int, int>> unique;
    for (const auto& r : o.ranges)
        if (seen.insert(r).second)
            unique.push_back(r);
    o.ranges = std::move(unique);
    return o;
}

} // namespace

std::optional<double> PaperInfoReader::ParseDecimal(std::string_view value)
{
    const std::string_view v = Trim(value);
    size_t digits = 0;
    bool separator = false;
    bool afterSeparator = false;
    double whole = 0;
    double fraction = 0;
    double scale = 1;
    for (const char c : v) {
        if (c >= '0' && c <= '9') {
            if (++digits > 9)
                return std::nullopt;
            if (separator) {
                scale /= 10;
                fraction += (c - '0') * scale;
                afterSeparator = true;
            } else {
                whole = whole * 10 + (c - '0');
            }
        } else if ((c == ',' || c == '.') && !separator && digits > 0) {
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || (separator && !afterSeparator))
        return std::nullopt;
    return whole + fraction;
}

PaperInfoReading PaperInfoReader::Parse(const std::vector<std::string>& rawLines)
{
    PaperInfoReading r;
    size_t untold = 0; // problems past the report's limit, counted only
    auto problem = [&r, &untold](int line, bool error, std::string text) {
        if (r.problems.size() < MaxProblems)
            r.problems.push_back({line, error, std::move(text)});
        else
            ++untold;
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
    std::vector<std::pair<int, int>> annulled;
    // Folded name -> index, and the first line, of each subject and block.
    std::map<std::string, std::pair<size_t, int>> subjectNames;
    std::map<std::string, int> blockNames;
    size_t subjectsOverCap = 0;
    size_t blocksOverCap = 0;
    int firstSubjectOverCap = 0;
    int firstBlockOverCap = 0;
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
        const bool single = key == "duracao" || key == "tipo" || key == "pontuacao" || key == "anuladas-regra"
            || key == "minimo" || key == "corte" || key == "nota-de-corte";
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
            const auto found = ParseRanges(value, &bad);
            annulled.insert(annulled.end(), found.begin(), found.end());
            for (const auto& b : bad)
                problem(n, true, "questão anulada " + Quote(b) + " não é um número nem um intervalo; ignorada.");
        } else if (key == "anuladas-regra") {
            const std::string w = Word(value);
            if (w == "todos" || w == "todas" || w == "pontua" || w == "certa")
                r.info.annulledRule = AnnulledRule::Everyone;
            else if (w == "exclui" || w == "excluir" || w == "excluidas" || w == "retira")
                r.info.annulledRule = AnnulledRule::Excluded;
            else
                problem(n, true,
                        "regra das anuladas " + Quote(value)
                            + " não reconhecida (use todos ou exclui); as anuladas valem para todos.");
        } else if (key == "minimo" || key == "corte" || key == "nota-de-corte") {
            const auto number = ParseDecimal(value);
            const bool cutoff = key != "minimo";
            if (!number) {
                problem(n, true,
                        std::string(cutoff ? "nota de corte " : "mínimo ") + Quote(value)
                            + " não é um número (use, por exemplo, 61,5); ignorado.");
            } else if (cutoff) {
                r.info.cutoff = number;
            } else {
                r.info.totalMinimum = number;
            }
        } else if (key == "disciplina" || key == "bloco") {
            const bool block = key == "bloco";
            const std::string what = block ? "bloco " : "disciplina ";
            // The name ends at the last ":" before the options, which hold none.
            const std::string_view head = value.substr(0, value.find(';'));
            const auto colon = head.rfind(':');
            const std::string_view name = Trim(value.substr(0, colon == std::string_view::npos ? 0 : colon));
            if (colon == std::string_view::npos || name.empty()) {
                problem(n, true,
                        what + Quote(value) + " sem o formato \"nome: questões\" (por exemplo "
                            + (block ? "Conhecimentos Básicos: 1-50; peso=1; minimo=10" : "Língua Portuguesa: 1-10")
                            + "); ignorado.");
                continue;
            }
            RangeOptions o = ReadRangeOptions(value.substr(colon + 1));
            for (const auto& b : o.bad)
                problem(n, true, what + Quote(name) + ": " + Quote(b) + " não é um número nem um intervalo; ignorado.");
            for (const auto& b : o.badOptions)
                problem(n, true, what + Quote(name) + ": " + b + ".");
            if (o.ranges.empty()) {
                if (o.bad.empty())
                    problem(n, true, what + Quote(name) + " sem questões; ignorado.");
                continue;
            }
            const std::string folded = Word(name);
            if (block) {
                if (const auto it = blockNames.find(folded); it != blockNames.end()) {
                    problem(n, true,
                            "bloco " + Quote(name) + " repetido (já está na linha " + std::to_string(it->second)
                                + "); ignorado.");
                } else if (r.info.blocks.size() >= MaxBlocks) {
                    if (blocksOverCap++ == 0)
                        firstBlockOverCap = n;
                } else {
                    blockNames.emplace(folded, n);
                    r.info.blocks.push_back(
                        {text::Cp1252ToUtf8(name), std::move(o.ranges), o.weight.value_or(1.0), o.minimum});
                }
                continue;
            }
            if (o.minimum)
                problem(n, false, "disciplina " + Quote(name) + ": mínimo vale só para blocos; ignorado.");
            if (const auto it = subjectNames.find(folded); it != subjectNames.end()) {
                // The same subject again: its questions join the first line's.
                SubjectRange& s = r.info.subjects[it->second.first];
                std::set<std::pair<int, int>> have(s.ranges.begin(), s.ranges.end());
                for (const auto& range : o.ranges)
                    if (have.insert(range).second)
                        s.ranges.push_back(range);
                if (o.weight)
                    s.weight = o.weight;
                problem(n, false,
                        "disciplina " + Quote(name) + " repetida (já está na linha " + std::to_string(it->second.second)
                            + "); as questões contam uma vez só.");
            } else if (r.info.subjects.size() >= MaxSubjects) {
                if (subjectsOverCap++ == 0)
                    firstSubjectOverCap = n;
            } else {
                subjectNames.emplace(folded, std::pair{r.info.subjects.size(), n});
                r.info.subjects.push_back({text::Cp1252ToUtf8(name), std::move(o.ranges), o.weight});
            }
        } else {
            problem(n, false, "chave " + Quote(line.substr(0, eq)) + " desconhecida, ignorada.");
        }
    }
    if (subjectsOverCap)
        problem(firstSubjectOverCap, true,
                "mais de " + std::to_string(MaxSubjects) + " disciplinas: " + std::to_string(subjectsOverCap)
                    + (subjectsOverCap == 1 ? " foi ignorada" : " foram ignoradas") + " a partir desta linha.");
    if (blocksOverCap)
        problem(firstBlockOverCap, true,
                "mais de " + std::to_string(MaxBlocks) + " blocos: " + std::to_string(blocksOverCap)
                    + (blocksOverCap == 1 ? " foi ignorado" : " foram ignorados") + " a partir desta linha.");
    // Annulled ranges are joined before they are counted out, so a file that
    // repeats a huge range costs no more than one that names it once.
    r.info.annulled = QuestionRanges::Questions(annulled, MaxQuestion);
    if (untold)
        r.problems.push_back({0, true,
                              "e mais " + std::to_string(untold)
                                  + (untold == 1 ? " problema não listado." : " problemas não listados.")});
    return r;
}

namespace {
std::string LinesText(size_t n)
{
    return std::to_string(n) + (n == 1 ? " linha" : " linhas");
}
} // namespace

PaperInfoReading PaperInfoReader::Read(std::string_view bytes)
{
    const auto nul = bytes.find('\0');
    PaperInfoReading r = Parse(text::SplitTextLines(bytes));
    if (nul != std::string_view::npos) {
        // The text ends at the NUL byte; say where, and how much is lost.
        const std::string_view before = bytes.substr(0, nul);
        const auto lineStarts = text::SplitTextLines(before).size();
        const bool midLine = !before.empty() && before.back() != '\n' && before.back() != '\r';
        const int line = int(lineStarts) + (midLine || before.empty() ? 0 : 1);
        const size_t lost = bytes.size() - nul;
        r.problems.insert(r.problems.begin(),
                          {std::max(line, 1), true,
                           "um byte NUL encerra o texto aqui; o resto do arquivo (" + std::to_string(lost)
                               + (lost == 1 ? " byte" : " bytes") + ", "
                               + LinesText(text::SplitTextLines(bytes.substr(nul + 1)).size())
                               + " depois dele) não foi lido."});
    }
    return r;
}

std::optional<PaperInfoReading> PaperInfoReader::Load(const std::string& path)
{
    // An info file is a few lines, like a key: the key's cap serves it.
    const auto bytes = text::ReadWholeFile(path, text::DataFile::KeyCap);
    if (!bytes)
        return std::nullopt;
    return Read(*bytes);
}

namespace {

// "11, 12, 13" up to ten numbers, then " e mais N".
std::string ShortList(const std::vector<int>& numbers)
{
    std::string list;
    const size_t shown = std::min<size_t>(numbers.size(), 10);
    for (size_t k = 0; k < shown; ++k)
        list += (k ? ", " : "") + std::to_string(numbers[k]);
    if (numbers.size() > shown)
        list += " e mais " + std::to_string(numbers.size() - shown);
    return list;
}

// Questions named by two groups (subjects or blocks): each pair of groups is
// told once, for its first shared question, and at most ten pairs in all.
// Every question of the paper is looked at once per group, so the check
// stays linear in the paper and the groups, whatever the file repeats.
template <typename Group, typename Tell>
void Overlaps(const std::vector<Group>& groups, int count, Tell tell)
{
    std::vector<int> owner(size_t(std::max(count, 0)) + 1, -1);
    std::set<std::pair<int, int>> told;
    size_t untold = 0;
    for (size_t g = 0; g < groups.size(); ++g)
        for (const auto& [first, last] : QuestionRanges::Within(groups[g].ranges, count))
            for (int q = first; q <= last; ++q) {
                int& o = owner[size_t(q)];
                if (o < 0) {
                    o = int(g);
                } else if (o != int(g) && told.insert({o, int(g)}).second) {
                    if (told.size() <= 10)
                        tell(q, groups[size_t(o)], groups[g]);
                    else
                        ++untold;
                }
            }
    if (untold)
        tell(-int(untold), groups[0], groups[0]);
}

template <typename Group>
void PastTheEnd(const std::vector<Group>& groups, int count, const std::string& what, const std::string& plural,
                const std::string& questions, std::vector<InfoProblem>& problems)
{
    size_t told = 0;
    for (const auto& g : groups) {
        int last = 0;
        for (const auto& range : g.ranges)
            last = std::max(last, range.second);
        if (last <= count)
            continue;
        if (++told <= 10)
            problems.push_back({0, true,
                                what + " \"" + g.name + "\": questões até " + std::to_string(last)
                                    + ", mas a prova tem " + questions + "."});
    }
    if (told > 10)
        problems.push_back(
            {0, true, "e mais " + std::to_string(told - 10) + " " + plural + " com questões além da última."});
}

} // namespace

std::vector<InfoProblem> PaperInfoReader::CheckAgainstKey(const PaperInfo& info, const std::vector<std::string>& key)
{
    std::vector<InfoProblem> problems;
    const int count = int(key.size());
    const std::string questions = std::to_string(count) + (count == 1 ? " questão" : " questões");
    std::vector<int> missing;
    for (const int q : info.annulled)
        if (q > count)
            missing.push_back(q);
    if (!missing.empty())
        problems.push_back({0, true,
                            "anuladas: " + ShortList(missing) + (missing.size() == 1 ? " não existe" : " não existem")
                                + " (a prova tem " + questions + ")."});
    PastTheEnd(info.subjects, count, "disciplina", "disciplinas", questions, problems);
    PastTheEnd(info.blocks, count, "bloco", "blocos", questions, problems);
    Overlaps(info.subjects, count, [&](int q, const SubjectRange& a, const SubjectRange& b) {
        if (q < 0)
            problems.push_back(
                {0, false, "e mais " + std::to_string(-q) + " pares de disciplinas com questões em comum."});
        else
            problems.push_back({0, false,
                                "a questão " + std::to_string(q) + " está em duas disciplinas (\"" + a.name + "\" e \""
                                    + b.name + "\") e conta nas duas."});
    });
    Overlaps(info.blocks, count, [&](int q, const ScoreBlock& a, const ScoreBlock& b) {
        if (q < 0)
            problems.push_back({0, true, "e mais " + std::to_string(-q) + " pares de blocos com questões em comum."});
        else
            problems.push_back({0, true,
                                "a questão " + std::to_string(q) + " está em dois blocos (\"" + a.name + "\" e \""
                                    + b.name + "\"); no total ela conta só no primeiro."});
    });

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

std::string PaperInfoReader::Write(const PaperInfo& info, const std::vector<std::string>& comments)
{
    std::vector<std::string> lines;
    for (const auto& c : comments)
        lines.push_back("; " + c);
    if (info.durationSeconds && *info.durationSeconds > 0)
        lines.push_back("duracao=" + DurationText(*info.durationSeconds));
    lines.push_back(info.itemType == ItemType::RightWrong ? "tipo=certo-errado" : "tipo=multipla");
    lines.push_back(info.scoring == ScoringRule::Cancelling ? "pontuacao=anula" : "pontuacao=simples");
    if (!info.annulled.empty())
        lines.push_back("anuladas=" + QuestionRanges::Text(QuestionRanges::FromQuestions(info.annulled), size_t(-1)));
    if (info.annulledRule == AnnulledRule::Excluded)
        lines.push_back("anuladas_regra=exclui");
    const auto number = [](double v) { return ExamScore::FormatPoints(v, ","); };
    for (const auto& b : info.blocks) {
        std::string line = "bloco=" + b.name + ": " + QuestionRanges::Text(b.ranges, size_t(-1))
            + "; peso=" + number(b.weight);
        if (b.minimum)
            line += "; minimo=" + number(*b.minimum);
        lines.push_back(line);
    }
    for (const auto& s : info.subjects) {
        std::string line = "disciplina=" + s.name + ": " + QuestionRanges::Text(s.ranges, size_t(-1));
        if (s.weight)
            line += "; peso=" + number(*s.weight);
        lines.push_back(line);
    }
    if (info.totalMinimum)
        lines.push_back("minimo=" + number(*info.totalMinimum));
    if (info.cutoff)
        lines.push_back("corte=" + number(*info.cutoff));
    std::string out;
    for (const auto& line : lines)
        out += text::Utf8ToCp1252(line) + "\r\n";
    return out;
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
