#pragma once
// An exam paper opened for showing: the PDF file is read safely (see
// text/DataFile.h: a regular file of at most DataFile::PaperCap bytes, never a
// pipe or a device) into memory, and Qt PDF opens it from there, so the PDF
// engine never touches the path itself. The exam window's viewer and the data
// folder checker both open papers through here.
#include "text/DataFile.h"
#include "text/Result.h"

#include <QBuffer>
#include <QByteArray>
#include <QObject>
#include <QPdfDocument>
#include <QString>

#include <memory>
#include <string>

namespace zelvora::mockexam {

class PaperDocument : public QObject {
    Q_OBJECT
public:
    enum class Code {
        Ok,
        Missing, // no file of that name
        NotAFile, // a folder, a pipe, a device
        TooLarge, // larger than DataFile::PaperCap
        Unreadable, // cannot be read
        NotAPdf, // read, but the PDF engine does not open it, or it has no page
    };

    using Opened = ResultOf<std::unique_ptr<PaperDocument>, Code>;

    // The opened paper, or the reason it could not be opened.
    static Opened Open(const QString& fileName);

    ~PaperDocument() override;

    QPdfDocument* document() { return &m_document; }
    const QPdfDocument* document() const { return &m_document; }
    // The file's bytes as read.
    const QByteArray& bytes() const { return m_bytes; }

private:
    PaperDocument() = default;

    // Declared in this order so the document goes before the bytes it reads.
    // The file's bytes are held once: m_bytes only points into m_raw.
    std::string m_raw;
    QByteArray m_bytes;
    QBuffer m_buffer;
    QPdfDocument m_document;
};

} // namespace zelvora::mockexam
