#pragma once
// The map of a paper: opens the PDF (through PaperDocument), reads its text
// and finds where each question starts. Runs on any thread; the document it
// opens lives and dies on that thread.
#include "mockexam/QuestionPlace.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace zelvora::mockexam {

class QuestionMapper {
public:
    struct Outcome {
        bool opened = false;
        QString contentHash; // hex SHA-256 of the PDF's bytes, when opened
        int pageCount = 0;
        std::vector<QuestionPlace> places;
    };

    // expected: the number of questions of the paper's key, 0 when unknown.
    static Outcome Map(const QString& pdfPath, int expected);
    // The hash a paper's map is kept under.
    static QString ContentHash(const QByteArray& pdfBytes);
};

} // namespace zelvora::mockexam
