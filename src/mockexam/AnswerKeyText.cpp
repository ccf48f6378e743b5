#include "mockexam/AnswerKeyText.h"

#include "mockexam/KeySheetReader.h"

#include <algorithm>
#include <map>

namespace zelvora::mockexam {

namespace {

// A bigger question number is a typo (or a year, a page number) and is
// refused rather than believed.
constexpr long kMaxQuestion = long(AnswerKeyText::MaxQuestions);

using Token = KeyToken;

bool IsAsciiLetter(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

// Splits the text into runs of digits and runs of letters. Everything else
// (blanks, line breaks, "-", ".", ")", ":", dashes and other punctuation) only
// separates. A byte of a non-ASCII character counts as a letter, so a word
// such as "Questão" stays one word (and is refused as an option).
std::vector<Token> Tokenize(std::string_view text, bool keepStars)
{
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsDigit(c)) {
            size_t j = i;
            while (j < text.size() && IsDigit(static_cast<unsigned char>(text[j])))
                ++j;
            tokens.push_back({Token::Number, std::string(text.substr(i, j - i)), i, j});
            i = j;
        } else if (IsAsciiLetter(c) || c >= 0x80) {
            // A UTF-8 punctuation mark (en dash, em dash, non-breaking space)
            // separates like its ASCII cousins.
            static const std::string_view separators[] = {"\xE2\x80\x93", "\xE2\x80\x94", "\xC2\xA0",
                                                          "\xE2\x80\xA2", "\xC2\xBA",     "\xC2\xAA"};
            bool separator = false;
            for (const auto s : separators)
                if (text.substr(i, s.size()) == s) {
                    i += s.size();
                    separator = true;
                    break;
                }
            if (separator)
                continue;
            size_t j = i;
            std::string word;
            while (j < text.size()) {
                const auto d = static_cast<unsigned char>(text[j]);
                if (!(IsAsciiLetter(d) || d >= 0x80))
                    break;
                bool sep = false;
                for (const auto s : separators)
                    if (text.substr(j, s.size()) == s)
                        sep = true;
                if (sep)
                    break;
                word += (d >= 'a' && d <= 'z') ? char(d - 'a' + 'A') : char(d);
                ++j;
            }
            tokens.push_back({Token::Word, std::move(word), i, j});
            i = j;
        } else {
            if (keepStars && c == '*')
                tokens.push_back({Token::Star, "*", i, i + 1});
            ++i;
        }
    }
    return tokens;
}

bool IsOption(char letter)
{
    return letter >= 'A' && letter <= 'E';
}

std::string Digit(char letter)
{
    return std::string(1, char('1' + (letter - 'A')));
}

ParsedAnswerKey Letters(const std::vector<Token>& tokens)
{
    ParsedAnswerKey key;
    for (const auto& t : tokens)
        for (const char c : t.text) {
            if (!IsOption(c)) {
                key.digits.clear();
                key.error = std::string("\"" + t.text + "\" não é uma resposta: as opções vão de A a E.");
                return key;
            }
            if (key.digits.size() == AnswerKeyText::MaxQuestions) {
                key.digits.clear();
                key.error = "O gabarito tem mais de " + std::to_string(AnswerKeyText::MaxQuestions)
                    + " respostas: " + AnswerKeyText::TooManyQuestions();
                return key;
            }
            key.digits.push_back(Digit(c));
        }
    return key;
}

ParsedAnswerKey Numbered(const std::vector<Token>& tokens)
{
    ParsedAnswerKey key;
    std::map<long, char> answers;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind != Token::Number) {
            key.error = std::string("\"" + t.text + "\" não está depois do número de uma questão.");
            return key;
        }
        const std::string digits = t.text.substr(std::min(t.text.find_first_not_of('0'), t.text.size()));
        if (digits.empty()) {
            key.error = std::string("Número de questão inválido: " + t.text + ".");
            return key;
        }
        if (digits.size() > 4 || std::stol(digits) > kMaxQuestion) {
            key.error = "Questão " + (t.text.size() > 12 ? t.text.substr(0, 12) + "..." : t.text) + ": "
                + AnswerKeyText::TooManyQuestions();
            return key;
        }
        const long number = std::stol(digits);
        if (i + 1 >= tokens.size() || tokens[i + 1].kind != Token::Word) {
            key.error = std::string("Falta a resposta da questão " + std::to_string(number) + ".");
            return key;
        }
        const std::string& answer = tokens[++i].text;
        if (answer.size() != 1 || !IsOption(answer[0])) {
            key.error = std::string("A resposta da questão " + std::to_string(number) + " (\"" + answer
                                    + "\") não é uma opção de A a E.");
            return key;
        }
        if (!answers.emplace(number, answer[0]).second) {
            key.error = std::string("A questão " + std::to_string(number) + " aparece mais de uma vez.");
            return key;
        }
    }
    long expected = 1;
    for (const auto& [number, letter] : answers) {
        if (number != expected) {
            key.error = std::string("Falta a questão " + std::to_string(expected) + ".");
            return key;
        }
        key.digits.push_back(Digit(letter));
        ++expected;
    }
    return key;
}

} // namespace

std::string AnswerKeyText::TooManyQuestions()
{
    return "o Zelvora aceita gabaritos de até " + std::to_string(MaxQuestions) + " questões.";
}

std::vector<KeyToken> AnswerKeyText::Tokens(std::string_view text, bool keepStars)
{
    return Tokenize(text, keepStars);
}

ParsedAnswerKey AnswerKeyText::Parse(std::string_view text)
{
    const auto tokens = Tokenize(text, false);
    ParsedAnswerKey key;
    if (tokens.empty()) {
        key.error = "O gabarito está vazio.";
        return key;
    }
    const bool numbered = std::any_of(tokens.begin(), tokens.end(),
                                      [](const Token& t) { return t.kind == Token::Number; });
    key = numbered ? Numbered(tokens) : Letters(tokens);
    if (!key.ok())
        key.digits.clear();
    return key;
}

std::string AnswerKeyText::FileBytes(const std::vector<std::string>& digits)
{
    std::string bytes;
    for (const auto& d : digits)
        bytes += d + "\r\n";
    return bytes;
}

} // namespace zelvora::mockexam

namespace zelvora::mockexam {

ResultOf<KeySheet, KeyReadCode> AnswerKeyText::ReadSheet(std::string_view text)
{
    std::vector<std::vector<std::string>> pages(1);
    std::string line;
    for (size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : '\n';
        if (c == '\r' || c == '\n' || c == '\f') {
            pages.back().push_back(std::move(line));
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            if (c == '\f')
                pages.emplace_back();
        } else {
            line += c;
        }
    }
    auto sheet = KeySheetReader::Read(pages);
    if (sheet) {
        // The sheet reader passes over numbers past MaxQuestions (years,
        // pages); a key that fills every question up to it may go on past it,
        // and is refused rather than cut short.
        const bool full = std::any_of(sheet->sections.begin(), sheet->sections.end(),
                                      [](const KeySection& k) { return k.answers.size() >= MaxQuestions; });
        if (full) {
            const ParsedAnswerKey plain = Parse(text);
            if (!plain.ok() && plain.error.find(TooManyQuestions()) != std::string::npos)
                return ResultOf<KeySheet, KeyReadCode>::Fail(KeyReadCode::NoAnswers, plain.error);
        }
    }
    if (sheet || sheet.code() != KeyReadCode::NoAnswers)
        return sheet;
    // Bare letters ("ABCDE...", one per line) carry no layout of their own.
    const ParsedAnswerKey plain = Parse(text);
    if (!plain.ok())
        return ResultOf<KeySheet, KeyReadCode>::Fail(KeyReadCode::NoAnswers, plain.error);
    KeySection section;
    for (const auto& d : plain.digits)
        section.answers.push_back(std::string(1, char('A' + (d[0] - '1'))));
    return KeySheet{{std::move(section)}};
}

} // namespace zelvora::mockexam
