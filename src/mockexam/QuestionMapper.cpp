#include "mockexam/QuestionMapper.h"

#include "mockexam/PaperTextReader.h"
#include "mockexam/QuestionFinder.h"

#include <QCryptographicHash>

namespace zelvora::mockexam {

QuestionMapper::Mapped QuestionMapper::Map(const QString& pdfPath, int expected)
{
    const auto opened = PaperDocument::Open(pdfPath);
    if (!opened)
        return opened.status();
    const auto& paper = opened.value();
    Found out;
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
