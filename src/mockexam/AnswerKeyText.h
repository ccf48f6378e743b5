#pragma once
// Reads an answer key as people copy it from an exam board's answer-key PDF
// and turns it into the program's key: one digit per question, "1" (A) to
// "5" (E).
//
// Shapes read (upper or lower case, with or without blanks, one pair per line
// or many on one line): numbered pairs such as "1-A 2-C 3-E", "1 A",
// "01.C 02.E", "1) a", "1:A", "1A2B"; and the bare letters "ABCDEABCDE..." or
// "A B C" or one letter per line. Numbered pairs may come in any order (PDFs
// often lay keys out in columns) but must number the questions 1 to N, each
// once.
#include "mockexam/KeySheet.h"
#include "text/Result.h"

#include <string>
#include <string_view>
#include <vector>

namespace zelvora::mockexam {

struct ParsedAnswerKey {
    std::vector<std::string> digits; // question n is digits[n - 1]
    std::string error; // Portuguese, UTF-8; empty when read

    bool ok() const { return error.empty(); }
};

// A run of digits, a run of letters (upper-cased; other UTF-8 characters
// stay as they are) or, where asked for, a "*"; begin and end are byte
// offsets into the text it came from.
struct KeyToken {
    enum Kind { Number, Word, Star } kind;
    std::string text;
    size_t begin = 0, end = 0;
};

class AnswerKeyText {
public:
    // The most questions a key may have, given as bare letters or as
    // numbered pairs alike; no paper comes anywhere near it, and a longer
    // key is refused with a message rather than read.
    static constexpr size_t MaxQuestions = 1000;

    // Why a key of that many questions is refused (Portuguese, UTF-8).
    static std::string TooManyQuestions();

    // text is UTF-8. Linear in the text's length; past MaxQuestions answers
    // reading stops.
    static ParsedAnswerKey Parse(std::string_view text);

    // Every post or booklet type of a key copied out of a board's PDF (see
    // KeySheetReader for the layouts); a form feed separates pages. Text in
    // none of those layouts is read as Parse reads it, as one section.
    static zelvora::ResultOf<KeySheet, KeyReadCode> ReadSheet(std::string_view text);

    // The tokens of text; everything but digits, letters (and "*" when
    // keepStars) only separates.
    static std::vector<KeyToken> Tokens(std::string_view text, bool keepStars = false);

    // The key file's bytes: one digit per line, each line ended by CR LF.
    static std::string FileBytes(const std::vector<std::string>& digits);
};

} // namespace zelvora::mockexam
