#pragma once
// What a board's answer-key sheet holds: one section per post or booklet
// type, in the order the sheet prints them, each with its title as printed,
// the letter of every question and the questions the board annulled.
#include <string>
#include <vector>

namespace zelvora::mockexam {

enum class KeyReadCode {
    Ok,
    Missing, // no file of that name
    Unreadable, // not a regular file, too large, cannot be read
    NotAPdf, // the PDF engine does not open it
    NoText, // a PDF without text (a scan)
    NoAnswers, // text, but no answers in any layout known
    Incomplete, // a section skips a question; detail: "title: n"
};

struct KeySection {
    std::string title; // UTF-8, as printed; may be empty
    // answers[i] is question i + 1: "A" to "E", "C"/"E" on right/wrong
    // papers, "X" for an annulled question.
    std::vector<std::string> answers;
    std::vector<int> annulled; // ascending
    bool rightWrong = false; // items marked C (certo) or E (errado)

    // The program's key file lines: "1" to "5" for A to E, "C"/"E" for
    // right/wrong items, "X" for an annulled question.
    std::vector<std::string> keyLines() const;
};

struct KeySheet {
    std::vector<KeySection> sections;
};

} // namespace zelvora::mockexam
