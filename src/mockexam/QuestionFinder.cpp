#include "mockexam/QuestionFinder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <set>
#include <string>

namespace zelvora::mockexam {

namespace {

// A box with the characters of the page text it covers, [begin, end).
struct Piece {
    TextBox box;
    std::size_t begin = 0;
    std::size_t end = 0;
};

// A line rebuilt by geometry.
struct Line {
    int page = 0;
    int column = 0;
    TextBox box;
    std::vector<Piece> pieces;
    std::size_t begin = 0; // first character in the page text
    std::size_t end = 0;
};

enum Layout { Heading = 0, Punctuated = 1, Bare = 2, LayoutCount = 3 };

struct Candidate {
    int number = 0;
    int page = 0;
    int column = 0;
    double top = 0;
    double left = 0;
};

bool IsSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0x00A0 || (c >= 0x2000 && c <= 0x200B)
        || c == 0x3000 || c == 0xFEFF || c == 0 || c == 0xFFFE;
}

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Capital letters of Portuguese text, and what may open a sentence.
bool OpensSentence(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= 0x00C0 && c <= 0x00DD && c != 0x00D7) || c == u'"' || c == 0x201C
        || c == 0x00AB || c == u'(' || c == u'\'';
}

char16_t Lower(char16_t c)
{
    if (c >= u'A' && c <= u'Z')
        return char16_t(c + 32);
    if (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7)
        return char16_t(c + 32);
    return c;
}

double Height(const TextBox& b)
{
    return b.bottom - b.top;
}

bool OverlapVertically(const TextBox& a, const TextBox& b)
{
    const double overlap = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return overlap > 0.3 * std::min(Height(a), Height(b));
}

TextBox Unite(const TextBox& a, const TextBox& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

// The engine's own lines: character ranges between line breaks.
std::vector<std::pair<std::size_t, std::size_t>> EngineLines(const std::u16string& text)
{
    std::vector<std::pair<std::size_t, std::size_t>> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == u'\r' || text[i] == u'\n') {
            lines.emplace_back(start, i);
            if (i + 1 < text.size() && text[i] == u'\r' && text[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }
    return lines;
}

// Boxes grouped into the engine's lines, each box with its characters. With
// one box per visible character the match is exact; with one box per run,
// the runs of a line share its characters in proportion to their widths, cut
// at word boundaries.
std::vector<std::vector<Piece>> Pieces(const PageText& page)
{
    const auto lines = EngineLines(page.text);
    std::vector<std::vector<Piece>> out(lines.size());
    std::size_t visible = 0;
    for (char16_t c : page.text)
        visible += IsSpace(c) ? 0 : 1;
    if (visible == page.boxes.size()) {
        std::size_t k = 0;
        for (std::size_t l = 0; l < lines.size(); ++l) {
            for (std::size_t i = lines[l].first; i < lines[l].second; ++i) {
                if (!IsSpace(page.text[i]))
                    out[l].push_back({page.boxes[k++], i, i + 1});
            }
        }
        return out;
    }
    // Runs: a new group where the next box leaves the line (no vertical
    // overlap, or back to the left).
    std::vector<std::vector<TextBox>> groups;
    for (const TextBox& b : page.boxes) {
        if (groups.empty() || !OverlapVertically(groups.back().back(), b)
            || b.left < groups.back().back().left - 0.5 * Height(b))
            groups.emplace_back();
        groups.back().push_back(b);
    }
    std::vector<std::size_t> textLines; // the engine's lines that hold visible characters
    for (std::size_t l = 0; l < lines.size(); ++l) {
        for (std::size_t i = lines[l].first; i < lines[l].second; ++i) {
            if (!IsSpace(page.text[i])) {
                textLines.push_back(l);
                break;
            }
        }
    }
    if (groups.size() != textLines.size())
        return {}; // the boxes cannot be matched with the lines
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const std::size_t l = textLines[g];
        std::vector<std::size_t> chars;
        for (std::size_t i = lines[l].first; i < lines[l].second; ++i) {
            if (!IsSpace(page.text[i]))
                chars.push_back(i);
        }
        double total = 0;
        for (const TextBox& b : groups[g])
            total += std::max(0.0, b.right - b.left);
        double before = 0;
        std::size_t from = 0;
        for (std::size_t r = 0; r < groups[g].size(); ++r) {
            const TextBox& b = groups[g][r];
            before += std::max(0.0, b.right - b.left);
            std::size_t to = chars.size();
            if (r + 1 < groups[g].size()) {
                to = total > 0 ? std::size_t(std::lround(before / total * double(chars.size()))) : from + 1;
                to = std::clamp(to, from, chars.size());
                // Move the cut to the nearest start of a word.
                std::size_t best = to;
                for (std::size_t d = 0; d <= chars.size(); ++d) {
                    const auto wordStart = [&](std::size_t at) {
                        return at >= from && at <= chars.size()
                            && (at == chars.size() || at == 0 || chars[at] != chars[at - 1] + 1);
                    };
                    if (to >= d && wordStart(to - d)) {
                        best = to - d;
                        break;
                    }
                    if (wordStart(to + d)) {
                        best = to + d;
                        break;
                    }
                }
                to = best;
            }
            if (to > from)
                out[l].push_back({b, chars[from], chars[to - 1] + 1});
            from = to;
        }
    }
    return out;
}

// Lines split where a gap wider than two line heights opens.
std::vector<Line> Lines(const PageText& page, int pageIndex)
{
    std::vector<Line> out;
    for (const std::vector<Piece>& engineLine : Pieces(page)) {
        for (std::size_t k = 0; k < engineLine.size(); ++k) {
            const Piece& p = engineLine[k];
            bool fresh = k == 0;
            if (!fresh) {
                const Piece& prev = engineLine[k - 1];
                const double h = std::max(Height(prev.box), Height(p.box));
                fresh = p.box.left - prev.box.right > 2.0 * h || p.box.left < prev.box.left - 0.5 * h
                    || !OverlapVertically(prev.box, p.box);
            }
            if (fresh) {
                Line line;
                line.page = pageIndex;
                line.box = p.box;
                line.begin = p.begin;
                out.push_back(line);
            }
            Line& line = out.back();
            line.box = Unite(line.box, p.box);
            line.pieces.push_back(p);
            line.end = p.end;
        }
    }
    return out;
}

// Two columns when lines keep to either half of the page and few cross it.
void AssignColumns(std::vector<Line>& lines, double pageWidth)
{
    if (lines.empty())
        return;
    double width = pageWidth;
    for (const Line& l : lines)
        width = std::max(width, l.box.right);
    const double centre = width / 2;
    int left = 0, right = 0, across = 0;
    std::set<long> rightHeights;
    for (const Line& l : lines) {
        if (l.box.right <= centre + 0.01 * width)
            ++left;
        else if (l.box.left >= centre - 0.01 * width) {
            ++right;
            rightHeights.insert(std::lround(l.box.top));
        } else
            ++across;
    }
    const bool two = left >= 3 && right >= 3 && rightHeights.size() >= 3
        && across <= std::max(2.0, 0.25 * double(lines.size()));
    for (Line& l : lines)
        l.column = two && l.box.left >= centre - 0.01 * width ? 1 : 0;
}

std::u16string Text(const PageText& page, const Line& line)
{
    return page.text.substr(line.begin, line.end - line.begin);
}

// The text without spaces and the height of a line, with its digits made
// "#" when masked: a header reads the same on every page.
std::u16string Signature(const std::u16string& text, double top, bool maskDigits)
{
    std::u16string s;
    for (char16_t c : text) {
        if (IsSpace(c))
            continue;
        s.push_back(maskDigits && IsDigit(c) ? u'#' : c);
    }
    s.push_back(u'@');
    for (char c : std::to_string(std::lround(top / 3)))
        s.push_back(c);
    return s;
}

// The first number in a text, -1 without any.
long FirstNumber(const std::u16string& text)
{
    long n = -1;
    for (char16_t c : text) {
        if (IsDigit(c))
            n = (n < 0 ? 0 : n * 10) + (c - u'0');
        else if (n >= 0)
            break;
        if (n > 100000)
            break;
    }
    return n;
}

// The box of the characters [begin, end) of a line, and in nextLeft the
// left edge of the box after them (negative when the characters after them
// share their box, as runs do).
TextBox TokenBox(const Line& line, std::size_t begin, std::size_t end, double* nextLeft)
{
    TextBox box{};
    bool any = false;
    *nextLeft = -1;
    for (const Piece& p : line.pieces) {
        if (p.end <= begin)
            continue;
        if (p.begin >= end) {
            *nextLeft = p.box.left;
            break;
        }
        box = any ? Unite(box, p.box) : p.box;
        any = true;
        if (p.end > end)
            break;
    }
    return box;
}

struct Match {
    Layout layout;
    int number;
    std::size_t digitsEnd; // offset in the line text after the number
};

// Whether the line opens with a question number, and in which layout.
bool MatchLine(const std::u16string& t, Match* m)
{
    std::size_t i = 0;
    while (i < t.size() && IsSpace(t[i]))
        ++i;
    std::size_t end = t.size();
    while (end > i && IsSpace(t[end - 1]))
        --end;
    // "Questão 12" on a line of its own.
    static const std::u16string Word = u"quest";
    if (end - i >= 8) {
        bool word = true;
        for (std::size_t k = 0; k < Word.size() && word; ++k)
            word = Lower(t[i + k]) == Word[k];
        std::size_t j = i + Word.size();
        if (word && (Lower(t[j]) == u'a' || Lower(t[j]) == 0x00E3) && Lower(t[j + 1]) == u'o') {
            j += 2;
            while (j < end && IsSpace(t[j]))
                ++j;
            const std::size_t d = j;
            int n = 0;
            while (j < end && IsDigit(t[j]) && j - d < 4)
                n = n * 10 + (t[j++] - u'0');
            if (j > d && j - d <= 3 && (j == end || !IsDigit(t[j]))) {
                std::size_t k = j;
                while (k < end && IsSpace(t[k]))
                    ++k;
                if (k < end && (t[k] == u'.' || t[k] == u':' || t[k] == u'-' || t[k] == 0x2013 || t[k] == 0x2014))
                    ++k;
                while (k < end && IsSpace(t[k]))
                    ++k;
                if (k == end) {
                    *m = {Heading, n, j};
                    return n > 0;
                }
            }
        }
    }
    const std::size_t d = i;
    int n = 0;
    while (i < end && IsDigit(t[i]) && i - d < 4)
        n = n * 10 + (t[i++] - u'0');
    if (i == d || i - d > 3 || n == 0 || (i < end && IsDigit(t[i])))
        return false;
    const std::size_t digitsEnd = i;
    if (i < end && (t[i] == u'.' || t[i] == u')')) {
        // The number's text may follow with no space between when the two
        // are drawn apart ("100.Considere").
        if (i + 1 == end || IsSpace(t[i + 1]) || OpensSentence(t[i + 1])) {
            *m = {Punctuated, n, digitsEnd};
            return true;
        }
        return false;
    }
    if (i == end || !IsSpace(t[i]))
        return false;
    while (i < end && IsSpace(t[i]))
        ++i;
    if (i < end && (t[i] == u'-' || t[i] == 0x2013 || t[i] == 0x2014) && (i + 1 == end || IsSpace(t[i + 1]))) {
        *m = {Punctuated, n, digitsEnd};
        return true;
    }
    if (i < end && OpensSentence(t[i])) {
        *m = {Bare, n, digitsEnd};
        return true;
    }
    return false;
}

// The longest run of rising numbers in reading order; among runs as long,
// each number taken at its latest place.
std::vector<Candidate> Chain(const std::vector<Candidate>& c)
{
    const std::size_t n = c.size();
    if (n == 0)
        return {};
    std::vector<int> length(n, 1);
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t j = i + 1; j < n; ++j) {
            if (c[j].number > c[i].number)
                length[i] = std::max(length[i], length[j] + 1);
        }
    }
    const auto better = [&](std::size_t a, std::size_t b) { // a is the better next step than b
        if (c[a].number != c[b].number)
            return c[a].number < c[b].number;
        return a > b;
    };
    const int best = *std::max_element(length.begin(), length.end());
    std::size_t at = n;
    for (std::size_t i = 0; i < n; ++i) {
        if (length[i] == best && (at == n || better(i, at)))
            at = i;
    }
    std::vector<Candidate> out{c[at]};
    while (length[at] > 1) {
        std::size_t next = n;
        for (std::size_t j = at + 1; j < n; ++j) {
            if (c[j].number > c[at].number && length[j] == length[at] - 1 && (next == n || better(j, next)))
                next = j;
        }
        at = next;
        out.push_back(c[at]);
    }
    return out;
}

} // namespace

std::vector<QuestionPlace> QuestionFinder::Find(const std::vector<PageText>& pages, int expected)
{
    const int highest = expected > 0 ? expected : 999;
    std::vector<std::vector<Line>> lines(pages.size());
    // Which pages hold a line: the same text at the same height; and, for
    // the top and bottom rows of a page, the same text but for a number that
    // follows the page (a page number: "2 PROVA OBJETIVA", "Página 3").
    std::map<std::u16string, std::set<int>> exact;
    std::map<std::u16string, std::map<long, std::set<int>>> paged; // signature -> number - page -> pages
    std::vector<std::vector<bool>> edge(pages.size());
    for (std::size_t p = 0; p < pages.size(); ++p) {
        lines[p] = Lines(pages[p], int(p));
        AssignColumns(lines[p], pages[p].width);
        double top = 1e18, bottom = -1e18;
        for (const Line& l : lines[p]) {
            top = std::min(top, l.box.top);
            bottom = std::max(bottom, l.box.top);
        }
        for (const Line& l : lines[p]) {
            const std::u16string text = Text(pages[p], l);
            exact[Signature(text, l.box.top, false)].insert(int(p));
            const bool atEdge = l.box.top < top + 3 || l.box.top > bottom - 3;
            edge[p].push_back(atEdge);
            if (atEdge)
                paged[Signature(text, l.box.top, true)][FirstNumber(text) - long(p)].insert(int(p));
        }
    }
    const std::size_t repeatPages = std::max<std::size_t>(3, (pages.size() + 2) / 3);
    const auto pageNumbered = [&](const std::u16string& text, double top, int page) {
        const auto it = paged.find(Signature(text, top, true));
        if (it == paged.end())
            return false;
        const auto offset = it->second.find(FirstNumber(text) - long(page));
        return offset != it->second.end() && offset->second.size() >= repeatPages;
    };

    std::vector<Candidate> byLayout[LayoutCount];
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const PageText& page = pages[p];
        // The left edge of each column: the tenth percentile of its lines'.
        double columnLeft[2] = {0, 0};
        double columnRight[2] = {0, 0};
        for (int col = 0; col < 2; ++col) {
            std::vector<double> lefts, rights;
            for (const Line& l : lines[p]) {
                if (l.column == col) {
                    lefts.push_back(l.box.left);
                    rights.push_back(l.box.right);
                }
            }
            if (lefts.empty())
                continue;
            std::sort(lefts.begin(), lefts.end());
            std::sort(rights.begin(), rights.end());
            columnLeft[col] = lefts[lefts.size() / 10];
            columnRight[col] = rights[rights.size() * 9 / 10];
        }
        const double height = page.height > 0 ? page.height : 842;
        for (std::size_t i = 0; i < lines[p].size(); ++i) {
            const Line& l = lines[p][i];
            const std::u16string text = Text(page, l);
            Match m{};
            if (!MatchLine(text, &m) || m.number > highest)
                continue;
            // A header or footer; a heading "Questão 12" may well stand at
            // the top of many pages.
            if (m.layout != Heading
                && (exact[Signature(text, l.box.top, false)].size() >= repeatPages
                    || (edge[p][i] && pageNumbered(text, l.box.top, int(p)))))
                continue;
            if (l.box.bottom < 0.04 * height || l.box.top > 0.96 * height)
                continue; // in the page's top or bottom margin
            const double lineHeight = Height(l.box);
            const double colWidth = std::max(0.0, columnRight[l.column] - columnLeft[l.column]);
            if (l.box.left > columnLeft[l.column] + std::max(0.12 * colWidth, 2.0 * lineHeight))
                continue; // indented: a list inside a question
            std::size_t first = 0;
            while (first < text.size() && IsSpace(text[first]))
                ++first;
            double nextLeft = -1;
            const TextBox token = TokenBox(l, l.begin + first, l.begin + m.digitsEnd, &nextLeft);
            if (m.layout == Bare && nextLeft >= 0 && nextLeft - token.right > 1.0 * Height(token))
                continue; // a line number standing off in the margin
            byLayout[m.layout].push_back({m.number, int(p), l.column, l.box.top, l.box.left});
        }
    }

    std::vector<Candidate> best;
    for (auto& candidates : byLayout) {
        std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
            if (a.page != b.page)
                return a.page < b.page;
            if (a.column != b.column)
                return a.column < b.column;
            if (std::abs(a.top - b.top) > 0.5)
                return a.top < b.top;
            return a.left < b.left;
        });
        std::vector<Candidate> chain = Chain(candidates);
        if (chain.size() > best.size())
            best = std::move(chain);
    }
    std::vector<QuestionPlace> places;
    for (const Candidate& c : best)
        places.push_back({c.number, c.page, std::round(c.top * 10) / 10});
    return places;
}

} // namespace zelvora::mockexam
