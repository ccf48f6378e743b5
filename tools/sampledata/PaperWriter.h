#pragma once
// Writes a sample exam paper as a PDF with QPdfWriter: a cover page, then the
// numbered questions, each with its options A) to E), on A4 pages in a type
// size that reads well when the page is fitted to the width of a window.
//
// The PDF is made byte-for-byte reproducible: QPdfWriter stamps the current
// time into the document information, which is overwritten with a fixed date
// of the same length, so no object moves and the cross-reference table stays
// valid. The engine also writes its fonts in hash order, so Write() sets
// Qt's global hash seed to its fixed value.
#include "mockexam/QuestionPlace.h"
#include "PaperInfo.h"
#include "Question.h"

#include <QByteArray>

#include <vector>

namespace zelvora::sampledata {

class PaperWriter {
public:
    // places, when given, receives where each question was put: its page
    // (from 0, the cover being page 0) and the top of its title's glyphs in
    // points from the page's top.
    static QByteArray Write(const PaperInfo& info, const std::vector<Question>& questions,
                            std::vector<mockexam::QuestionPlace>* places = nullptr);

    // Replaces every "/CreationDate (D:...)" and "/ModDate (D:...)" time stamp
    // with the fixed time 2010-01-01 12:00:00, keeping the byte length.
    static void FixTimeStamps(QByteArray& pdf);
};

} // namespace zelvora::sampledata
