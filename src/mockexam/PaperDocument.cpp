#include "mockexam/PaperDocument.h"

#include <QFile>

namespace zelvora::mockexam {

namespace {

PaperDocument::Outcome FromStatus(text::DataFileStatus status)
{
    switch (status) {
    case text::DataFileStatus::Missing:
        return PaperDocument::Outcome::Missing;
    case text::DataFileStatus::NotAFile:
        return PaperDocument::Outcome::NotAFile;
    case text::DataFileStatus::TooLarge:
        return PaperDocument::Outcome::TooLarge;
    case text::DataFileStatus::Ok:
    case text::DataFileStatus::Unreadable:
        break;
    }
    return PaperDocument::Outcome::Unreadable;
}

} // namespace

std::unique_ptr<PaperDocument> PaperDocument::Open(const QString& fileName, Outcome* outcome)
{
    const auto report = [outcome](Outcome o) {
        if (outcome)
            *outcome = o;
    };
    text::DataFileStatus status = text::DataFileStatus::Ok;
    auto bytes = text::DataFile::Read(QFile::encodeName(fileName).toStdString(), text::DataFile::PaperCap, &status);
    if (!bytes) {
        report(FromStatus(status));
        return nullptr;
    }

    std::unique_ptr<PaperDocument> paper(new PaperDocument);
    paper->m_raw = std::move(*bytes);
    paper->m_bytes = QByteArray::fromRawData(paper->m_raw.data(), qsizetype(paper->m_raw.size()));
    paper->m_buffer.setBuffer(&paper->m_bytes);
    if (!paper->m_buffer.open(QIODevice::ReadOnly)) {
        report(Outcome::Unreadable);
        return nullptr;
    }
    // All the bytes are at hand, so the engine opens the document before
    // load returns.
    paper->m_document.load(&paper->m_buffer);
    if (paper->m_document.status() != QPdfDocument::Status::Ready
        || paper->m_document.error() != QPdfDocument::Error::None || paper->m_document.pageCount() < 1) {
        report(Outcome::NotAPdf);
        return nullptr;
    }
    report(Outcome::Loaded);
    return paper;
}

PaperDocument::~PaperDocument()
{
    m_document.close();
}

} // namespace zelvora::mockexam
