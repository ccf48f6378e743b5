#pragma once
// Reads the text of a paper's pages with the boxes of its glyphs through Qt
// PDF (getAllText), for QuestionFinder. A QPdfDocument is used on one thread
// only: the reader runs on the thread that owns the document.
#include "mockexam/PageText.h"

#include <vector>

class QPdfDocument;

namespace zelvora::mockexam {

class PaperTextReader {
public:
    static PageText ReadPage(QPdfDocument& document, int page);
    static std::vector<PageText> ReadAll(QPdfDocument& document);
};

} // namespace zelvora::mockexam
