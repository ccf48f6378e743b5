#pragma once
// The text of one PDF page as the PDF engine extracts it, with where its
// glyphs stand: text holds the characters in the engine's order, with "\r\n"
// (or "\n") between the lines it sees, and boxes the rectangles the engine
// reports for them in the same order, in points from the page's top-left
// corner. An engine gives either one box per visible character or one box
// per run of text drawn together; QuestionFinder copes with both.
#include <string>
#include <vector>

namespace zelvora::mockexam {

struct TextBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

struct PageText {
    double width = 0;
    double height = 0;
    std::u16string text;
    std::vector<TextBox> boxes;
};

} // namespace zelvora::mockexam
