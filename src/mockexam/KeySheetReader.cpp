#include "mockexam/KeySheetReader.h"

#include "mockexam/AnswerKeyText.h"
#include "text/Folding.h"
#include "text/Windows1252.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

namespace zelvora::mockexam {

namespace {

// Bigger numbers are years, page numbers or codes, never questions.
constexpr int kMaxQuestion = int(AnswerKeyText::MaxQuestions);
constexpr const char* kAnnulled = "X";

using Cells = std::vector<std::string>;

std::string Fold(const std::string& word)
{
    return text::UpperCase1252(text::RemoveAcentos(text::Utf8ToCp1252(word)));
}

bool OneOf(const std::string& word, std::initializer_list<const char*> words)
{
    return std::any_of(words.begin(), words.end(), [&](const char* w) { return word == w; });
}

bool IsQuestionLabel(const std::string& f)
{
    return OneOf(f, {"QUESTAO", "QUESTOES", "QUEST", "QST", "Q", "ITEM", "ITENS", "N", "NO", "NUM", "NUMERO"});
}

bool IsAnswerLabel(const std::string& f)
{
    return OneOf(f, {"GABARITO", "GAB", "RESPOSTA", "RESPOSTAS", "RESP", "ALTERNATIVA", "ALTERNATIVAS"});
}

bool IsAnnulWord(const std::string& f)
{
    return OneOf(f, {"NULA", "NULO", "ANULADA", "ANULADO", "ANULADAS", "ANULADOS", "ANUL"});
}

struct Line {
    std::string text;
    std::vector<KeyToken> tokens;
    std::vector<std::string> folded; // one per token
};

// The answers a token stands for: letters A to E one each (run together or
// not), "X", "*" or an annulling word for an annulled question.
std::optional<Cells> CellsOf(const KeyToken& t, const std::string& folded)
{
    if (t.kind == KeyToken::Star)
        return Cells{kAnnulled};
    if (t.kind != KeyToken::Word)
        return std::nullopt;
    if (IsAnnulWord(folded))
        return Cells{kAnnulled};
    Cells cells;
    for (const char c : folded) {
        if ((c >= 'A' && c <= 'E') || c == 'X')
            cells.push_back(std::string(1, c));
        else
            return std::nullopt;
    }
    return cells;
}

std::optional<int> NumberOf(const KeyToken& t)
{
    if (t.kind != KeyToken::Number)
        return std::nullopt;
    const auto first = t.text.find_first_not_of('0');
    if (first == std::string::npos || t.text.size() - first > 4)
        return std::nullopt;
    const int n = std::stoi(t.text.substr(first));
    return n <= kMaxQuestion ? std::optional<int>(n) : std::nullopt;
}

using Pairs = std::vector<std::pair<int, std::string>>;

// "01 - A 02 - B", "Questão 3: C", "1A2B": numbers each followed by one answer.
std::optional<Pairs> ReadPairs(const Line& line)
{
    Pairs pairs;
    const auto& t = line.tokens;
    for (size_t i = 0; i < t.size();) {
        if (t[i].kind == KeyToken::Word && IsQuestionLabel(line.folded[i])) {
            ++i;
            continue;
        }
        const auto n = NumberOf(t[i]);
        if (!n || n == 0 || i + 1 >= t.size())
            return std::nullopt;
        const auto cells = CellsOf(t[i + 1], line.folded[i + 1]);
        if (!cells || cells->size() != 1)
            return std::nullopt;
        pairs.emplace_back(*n, cells->front());
        i += 2;
    }
    if (pairs.empty())
        return std::nullopt;
    return pairs;
}

struct NumberRow {
    std::vector<KeyToken> numbers;
    bool itemLabel = false;
};

std::optional<NumberRow> ReadNumberRow(const Line& line)
{
    NumberRow row;
    size_t i = 0;
    if (!line.tokens.empty() && line.tokens[0].kind == KeyToken::Word && IsQuestionLabel(line.folded[0])) {
        row.itemLabel = line.folded[0] == "ITEM" || line.folded[0] == "ITENS";
        i = 1;
    }
    for (; i < line.tokens.size(); ++i) {
        if (line.tokens[i].kind != KeyToken::Number)
            return std::nullopt;
        row.numbers.push_back(line.tokens[i]);
    }
    if (row.numbers.empty())
        return std::nullopt;
    return row;
}

std::optional<Cells> ReadAnswerRow(const Line& line)
{
    Cells cells;
    size_t i = 0;
    if (!line.tokens.empty() && line.tokens[0].kind == KeyToken::Word && IsAnswerLabel(line.folded[0]))
        i = 1;
    for (; i < line.tokens.size(); ++i) {
        const auto c = CellsOf(line.tokens[i], line.folded[i]);
        if (!c)
            return std::nullopt;
        cells.insert(cells.end(), c->begin(), c->end());
    }
    if (cells.empty())
        return std::nullopt;
    return cells;
}

std::string Padded(int n, size_t width)
{
    std::string s = std::to_string(n);
    if (s.size() < width)
        s.insert(0, width - s.size(), '0');
    return s;
}

// The question numbers of a grid's number row with count answers under it.
// When the extraction kept one token per number they are taken as they
// stand; otherwise the row's digits are matched against count consecutive
// numbers (plain or padded to two or three digits).
std::optional<std::vector<int>> DecodeNumbers(const NumberRow& row, size_t count)
{
    std::vector<int> numbers;
    if (row.numbers.size() == count) {
        for (const auto& t : row.numbers) {
            const auto n = NumberOf(t);
            if (!n || *n == 0)
                break;
            numbers.push_back(*n);
        }
        if (numbers.size() == count)
            return numbers;
    }
    std::string digits;
    for (const auto& t : row.numbers)
        digits += t.text;
    for (const size_t width : {size_t(0), size_t(2), size_t(3)}) {
        for (int start = 1; start + int(count) - 1 <= kMaxQuestion; ++start) {
            size_t at = 0;
            bool fits = true;
            for (size_t k = 0; k < count && fits; ++k) {
                const std::string n = Padded(start + int(k), width);
                fits = digits.compare(at, n.size(), n) == 0;
                at += n.size();
            }
            if (fits && at == digits.size()) {
                numbers.clear();
                for (size_t k = 0; k < count; ++k)
                    numbers.push_back(start + int(k));
                return numbers;
            }
        }
    }
    return std::nullopt;
}

// "Questão Tipo 1 Tipo 2", "Qst T1 T2 T3 T4", "Questão Versão 1 Versão 2":
// the column titles as printed.
std::optional<std::vector<std::string>> ReadTableHeader(const Line& line)
{
    const auto& t = line.tokens;
    if (t.empty() || t[0].kind != KeyToken::Word)
        return std::nullopt;
    std::vector<std::string> columns;
    auto shortName = [&](size_t k) {
        return k < t.size()
            && (t[k].kind == KeyToken::Number || (t[k].kind == KeyToken::Word && t[k].text.size() <= 2));
    };
    // The question column's label may be missing: "Tipo 1 Tipo 2 Tipo 3".
    for (size_t j = IsQuestionLabel(line.folded[0]) ? 1 : 0; j < t.size();) {
        const std::string& f = line.folded[j];
        size_t width = 0;
        if (t[j].kind == KeyToken::Word && f == "PROVA" && j + 1 < t.size() && line.folded[j + 1] == "TIPO"
            && shortName(j + 2))
            width = 3; // "Prova Tipo A"
        else if (t[j].kind == KeyToken::Word && OneOf(f, {"TIPO", "PROVA", "VERSAO", "CADERNO", "GABARITO", "MODELO"})
                 && shortName(j + 1))
            width = 2;
        else if (t[j].kind == KeyToken::Word && OneOf(f, {"T", "V", "P", "C"}) && j + 1 < t.size()
                 && t[j + 1].kind == KeyToken::Number)
            width = 2;
        else if (t[j].kind == KeyToken::Word
                 && OneOf(f, {"BRANCA", "BRANCO", "AMARELA", "AMARELO", "AZUL", "ROSA", "VERDE", "CINZA", "LARANJA"}))
            width = 1;
        else
            return std::nullopt;
        columns.push_back(line.text.substr(t[j].begin, t[j + width - 1].end - t[j].begin));
        j += width;
    }
    if (columns.size() < 2)
        return std::nullopt;
    return columns;
}

using TableRows = std::vector<std::pair<int, Cells>>;

// Rows of a booklet table: a number and one answer per column, repeated
// when the table is printed in several blocks side by side.
std::optional<TableRows> ReadTableRow(const Line& line, size_t columns)
{
    TableRows rows;
    const auto& t = line.tokens;
    for (size_t i = 0; i < t.size();) {
        const auto n = NumberOf(t[i]);
        if (!n || *n == 0)
            return std::nullopt;
        Cells cells;
        ++i;
        while (i < t.size() && cells.size() < columns) {
            const auto c = CellsOf(t[i], line.folded[i]);
            if (!c)
                return std::nullopt;
            cells.insert(cells.end(), c->begin(), c->end());
            ++i;
        }
        if (cells.size() != columns)
            return std::nullopt;
        rows.emplace_back(*n, std::move(cells));
    }
    if (rows.empty())
        return std::nullopt;
    return rows;
}

std::string Collapsed(const std::string& text)
{
    std::string out;
    bool blank = false;
    for (const char c : text) {
        const bool space = c == ' ' || c == '\t';
        if (space) {
            blank = !out.empty();
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

bool IsLegend(const std::string& folded)
{
    return folded.find("ANULAD") != std::string::npos || folded.rfind("OBS", 0) == 0 || folded.rfind("*", 0) == 0
        || folded.rfind("(", 0) == 0;
}

// "CARGO 1: AGENTE DE POLÍCIA", "005. PROVA OBJETIVA - AGENTE", "Prova Tipo A".
bool IsTitle(const Line& line, const std::string& folded)
{
    if (IsLegend(folded) || line.tokens.empty())
        return false;
    const auto& t = line.tokens;
    if (t[0].kind == KeyToken::Word)
        return OneOf(line.folded[0],
                     {"CARGO", "CARGOS", "EMPREGO", "FUNCAO", "ESPECIALIDADE", "AREA", "PROVA", "CADERNO", "TIPO",
                      "VERSAO", "NIVEL", "PERFIL", "OPCAO", "MODELO"});
    int words = 0;
    for (size_t i = 1; i < t.size(); ++i)
        if (t[i].kind == KeyToken::Word && t[i].text.size() >= 3)
            ++words;
    return t[0].text.size() <= 4 && t.size() > 1 && t[1].kind == KeyToken::Word && t[1].text.size() >= 3 && words >= 2;
}

struct Section {
    std::string title;
    bool titled = false; // by a title line, not guessed
    bool itemLabel = false;
    std::map<int, std::string> cells;
};

class Builder {
public:
    std::vector<Section> sections{1};
    size_t current = 0;
    std::string lastText;
    bool lastTextFresh = false;

    void add(size_t& section, int number, const std::string& cell)
    {
        auto* s = &sections[section];
        if (const auto it = s->cells.find(number); it != s->cells.end()) {
            if (it->second == cell)
                return; // the same pair printed again
            sections.push_back({});
            section = sections.size() - 1;
            s = &sections.back();
        }
        if (s->cells.empty() && s->title.empty() && lastTextFresh)
            s->title = lastText;
        s->cells[number] = cell;
        lastTextFresh = false;
    }

    void title(const std::string& text)
    {
        for (size_t i = 0; i < sections.size(); ++i)
            if (sections[i].titled && sections[i].title == text) {
                current = i;
                return;
            }
        if (!sections[current].cells.empty()) {
            sections.push_back({});
            current = sections.size() - 1;
        }
        sections[current].title = text;
        sections[current].titled = true;
        lastTextFresh = false;
    }

    size_t columnSection(const std::string& title)
    {
        for (size_t i = 0; i < sections.size(); ++i)
            if (sections[i].titled && sections[i].title == title)
                return i;
        sections.push_back({title, true, false, {}});
        return sections.size() - 1;
    }
};

} // namespace

ResultOf<KeySheet, KeyReadCode> KeySheetReader::Read(const std::vector<std::vector<std::string>>& pages)
{
    Builder b;
    std::vector<size_t> table; // the sections of the booklet table being read
    for (const auto& page : pages) {
        std::optional<NumberRow> pending;
        for (const auto& text : page) {
            Line line{text, AnswerKeyText::Tokens(text, true), {}};
            if (line.tokens.empty())
                continue;
            for (const auto& t : line.tokens)
                line.folded.push_back(t.kind == KeyToken::Word ? Fold(t.text) : t.text);
            const auto numbers = std::move(pending);
            pending.reset();

            if (!table.empty()) {
                if (const auto rows = ReadTableRow(line, table.size())) {
                    for (const auto& [n, cells] : *rows)
                        for (size_t c = 0; c < table.size(); ++c)
                            b.add(table[c], n, cells[c]);
                    continue;
                }
                table.clear();
            }
            if (const auto columns = ReadTableHeader(line)) {
                const Section& post = b.sections[b.current];
                const std::string prefix = post.titled ? post.title + " - " : std::string();
                for (const auto& c : *columns)
                    table.push_back(b.columnSection(prefix + c));
                continue;
            }
            if (const auto pairs = ReadPairs(line)) {
                for (const auto& [n, cell] : *pairs)
                    b.add(b.current, n, cell);
                continue;
            }
            if (numbers) {
                if (const auto cells = ReadAnswerRow(line)) {
                    if (const auto decoded = DecodeNumbers(*numbers, cells->size())) {
                        for (size_t k = 0; k < cells->size(); ++k)
                            b.add(b.current, (*decoded)[k], (*cells)[k]);
                        b.sections[b.current].itemLabel |= numbers->itemLabel;
                        continue;
                    }
                }
            }
            if (auto row = ReadNumberRow(line)) {
                pending = std::move(row);
                continue;
            }
            const std::string folded = Fold(Collapsed(text));
            if (IsTitle(line, folded)) {
                b.title(Collapsed(text));
                continue;
            }
            if (!IsLegend(folded) && !ReadAnswerRow(line)
                && std::any_of(line.tokens.begin(), line.tokens.end(),
                               [](const KeyToken& t) { return t.kind == KeyToken::Word && t.text.size() >= 3; })) {
                b.lastText = Collapsed(text);
                b.lastTextFresh = true;
            }
        }
    }

    // Headings that do not start the numbering again (subjects printed
    // between the answers of one post) belong to the section before them.
    std::vector<Section> kept;
    for (auto& s : b.sections) {
        if (s.cells.empty())
            continue;
        if (!kept.empty() && s.cells.begin()->first != 1) {
            auto& before = kept.back();
            const bool disjoint = std::none_of(s.cells.begin(), s.cells.end(),
                                               [&](const auto& c) { return before.cells.count(c.first) != 0; });
            if (disjoint) {
                before.cells.insert(s.cells.begin(), s.cells.end());
                before.itemLabel |= s.itemLabel;
                continue;
            }
        }
        kept.push_back(std::move(s));
    }
    if (kept.empty())
        return ResultOf<KeySheet, KeyReadCode>::Fail(KeyReadCode::NoAnswers);

    KeySheet sheet;
    for (const auto& s : kept) {
        KeySection out;
        out.title = s.title;
        int expected = 1;
        bool rightWrong = true, annulMark = false;
        for (const auto& [n, cell] : s.cells) {
            if (n != expected)
                return ResultOf<KeySheet, KeyReadCode>::Fail(KeyReadCode::Incomplete,
                                                             s.title + ": " + std::to_string(expected));
            out.answers.push_back(cell);
            if (cell == kAnnulled) {
                out.annulled.push_back(n);
                annulMark = true;
            } else if (cell != "C" && cell != "E") {
                rightWrong = false;
            }
            ++expected;
        }
        const size_t marked = out.answers.size() - out.annulled.size();
        out.rightWrong = rightWrong && marked > 0 && (marked >= 10 || s.itemLabel || annulMark);
        sheet.sections.push_back(std::move(out));
    }
    return sheet;
}

} // namespace zelvora::mockexam
