#include "mockexam/QuestionMapper.h"

#include "mockexam/PaperDocument.h"
#include "mockexam/PaperTextReader.h"
#include "mockexam/QuestionFinder.h"

#include <QCryptographicHash>

namespace zelvora::mockexam {

QuestionMapper::Outcome QuestionMapper::Map(const QString& pdfPath, int expected)
{
    Outcome out;
    const auto opened = PaperDocument::Open(pdfPath);
    if (!opened)
        return out;
    const auto& paper = opened.value();
    out.opened = true;
    out.contentHash = ContentHash(paper->bytes());
    out.pageCount = paper->document()->pageCount();
    out.places = QuestionFinder::Find(PaperTextReader::ReadAll(*paper->document()), expected);
    return out;
}

QString QuestionMapper::ContentHash(const QByteArray& pdfBytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(pdfBytes, QCryptographicHash::Sha256).toHex());
}

} // namespace zelvora::mockexam
