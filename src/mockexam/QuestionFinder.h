#pragma once
// Finds where each numbered question of a paper starts, from the text the PDF
// engine extracts with the boxes of its glyphs (PageText).
//
// The page text is rebuilt into lines by geometry: the engine's own lines are
// split where a wide gap opens (two columns side by side, a number far out in
// the margin), and a page whose lines fall into a left and a right half is
// read as two columns, the left one first. A line starts a question when it
// opens with one of the layouts of printed papers:
//   - "Questão 12" / "QUESTÃO 12" on a line of its own;
//   - "12." "012." "12)" "12 -" followed by the question's text (or nothing);
//   - a bare number followed by a capital letter ("51 Do ponto de vista"),
//     as right/wrong items are printed; only close to its text, so that a
//     line number in the margin is not taken for an item.
// Lines repeated at the same height on several pages (headers, footers,
// page numbers) and lines far from the column's left edge (numbered
// paragraphs, indented lists) never start a question; a number glued to a
// word ("uma1") is not at the start of a line.
//
// Of the candidates of one layout, the longest run of numbers rising in
// reading order is kept; among runs as long, the one that starts latest
// for each number, so an instructions page numbered 1 to 5 does not take
// the place of questions 1 to 5. The layout whose run is longest wins. A
// number missing from the run stays unplaced: nothing is guessed.
#include "mockexam/PageText.h"
#include "mockexam/QuestionPlace.h"

#include <vector>

namespace zelvora::mockexam {

class QuestionFinder {
public:
    // expected: the number of questions of the paper (its key's length);
    // numbers above it are not questions. 0 when not known (up to 999).
    // The places come ordered by number.
    static std::vector<QuestionPlace> Find(const std::vector<PageText>& pages, int expected);
};

} // namespace zelvora::mockexam
