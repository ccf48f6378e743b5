#pragma once
// The map of a paper: opens the PDF (through PaperDocument), reads its text
// and finds where each question starts. Runs on any thread; the document it
// opens lives and dies on that thread.
#include "mockexam/PaperDocument.h"
#include "mockexam/QuestionPlace.h"
#include "text/Result.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace zelvora::mockexam {

class QuestionMapper {
public:
    struct Found {
        QString contentHash; // hex SHA-256 of the PDF's bytes
        int pageCount = 0;
        std::vector<QuestionPlace> places;
    };
    // The map, or why the PDF did not open (PaperDocument's reason).
    using Mapped = ResultOf<Found, PaperDocument::Code>;

    // expected: the number of questions of the paper's key, 0 when unknown.
    static Mapped Map(const QString& pdfPath, int expected);
    // The hash a paper's map is kept under.
    static QString ContentHash(const QByteArray& pdfBytes);
};

} // namespace zelvora::mockexam
