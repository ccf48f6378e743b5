#include "mockexam/PaperDocument.h"

#include <QFile>

namespace zelvora::mockexam {

namespace {

PaperDocument::Code FromStatus(text::DataFileStatus status)
{
    switch (status) {
    case text::DataFileStatus::Missing:
        return PaperDocument::Code::Missing;
    case text::DataFileStatus::NotAFile:
        return PaperDocument::Code::NotAFile;
    case text::DataFileStatus::TooLarge:
        return PaperDocument::Code::TooLarge;
    case text::DataFileStatus::Ok:
    case text::DataFileStatus::Unreadable:
        break;
    }
    return PaperDocument::Code::Unreadable;
}

} // namespace

PaperDocument::Opened PaperDocument::Open(const QString& fileName)
{
    text::DataFileStatus status = text::DataFileStatus::Ok;
    auto bytes = text::DataFile::Read(QFile::encodeName(fileName).toStdString(), text::DataFile::PaperCap, &status);
    if (!bytes)
        return Opened::Fail(FromStatus(status), QFile::encodeName(fileName).toStdString());

    std::unique_ptr<PaperDocument> paper(new PaperDocument);
    paper->m_raw = std::move(*bytes);
    paper->m_bytes = QByteArray::fromRawData(paper->m_raw.data(), qsizetype(paper->m_raw.size()));
    paper->m_buffer.setBuffer(&paper->m_bytes);
    if (!paper->m_buffer.open(QIODevice::ReadOnly))
        return Opened::Fail(Code::Unreadable, QFile::encodeName(fileName).toStdString());
    // All the bytes are at hand, so the engine opens the document before
    // load returns.
    paper->m_document.load(&paper->m_buffer);
    if (paper->m_document.status() != QPdfDocument::Status::Ready
        || paper->m_document.error() != QPdfDocument::Error::None || paper->m_document.pageCount() < 1)
        return Opened::Fail(Code::NotAPdf, QFile::encodeName(fileName).toStdString());
    return Opened(std::move(paper));
}

PaperDocument::~PaperDocument()
{
    m_document.close();
}

} // namespace zelvora::mockexam
