#include "text/Folding.h"

#include <array>

namespace zelvora::text {
namespace {

constexpr std::array<uint8_t, 256> MakeUpperTable()
{
    std::array<uint8_t, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[b] = uint8_t(b);
    for (int b = 'a'; b <= 'z'; ++b)
        t[b] = uint8_t(b - 0x20);
    for (int b = 0xE0; b <= 0xFE; ++b)
        if (b != 0xF7)
            t[b] = uint8_t(b - 0x20);
    t[0xFF] = 0x9F;
    t[0x9A] = 0x8A;
    t[0x9C] = 0x8C;
    t[0x9E] = 0x8E;
    return t;
}

constexpr std::array<uint8_t, 256> MakeAccentTable()
{
    std::array<uint8_t, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[b] = uint8_t(b);
    auto range = [&t](int from, int to, char plain) {
        for (int b = from; b <= to; ++b)
            t[b] = uint8_t(plain);
    };
    range(0xC0, 0xC4, 'A');
    range(0xC7, 0xC7, 'C');
    range(0xC8, 0xCB, 'E');
    range(0xCC, 0xCF, 'I');
    range(0xD1, 0xD1, 'N');
    range(0xD2, 0xD6, 'O');
    range(0xD9, 0xDC, 'U');
    range(0xDD, 0xDD, 'Y');
    range(0x9F, 0x9F, 'Y');
    range(0xE0, 0xE4, 'a');
    range(0xE7, 0xE7, 'c');
    range(0xE8, 0xEB, 'e');
    range(0xEC, 0xEF, 'i');
    range(0xF1, 0xF1, 'n');
    range(0xF2, 0xF6, 'o');
    range(0xF9, 0xFC, 'u');
    range(0xFD, 0xFD, 'y');
    range(0xFF, 0xFF, 'y');
    return t;
}

constexpr auto kUpper = MakeUpperTable();
constexpr auto kPlain = MakeAccentTable();

// Spaces (blank, no-break space) and control characters: the ASCII ones, DEL
// and the five bytes that stand for C1 control characters.
bool IsBlankOrControl(char c)
{
    const auto b = uint8_t(c);
    return b <= 0x20 || b == 0x7F || b == 0xA0 || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

} // namespace

uint8_t UpperCase1252(uint8_t byte)
{
    return kUpper[byte];
}

std::string UpperCase1252(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = char(kUpper[uint8_t(c)]);
    return out;
}

std::string RemoveAcentos(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = char(kPlain[uint8_t(c)]);
    return out;
}

std::string FoldForSearch(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = char(kPlain[kUpper[uint8_t(c)]]);
    return out;
}

std::string FoldSearchTerm(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = char(kUpper[kPlain[uint8_t(c)]]);
    size_t b = 0, e = out.size();
    while (b < e && IsBlankOrControl(out[b]))
        ++b;
    while (e > b && IsBlankOrControl(out[e - 1]))
        --e;
    return out.substr(b, e - b);
}

} // namespace zelvora::text
