#pragma once
// What makes two attempts attempts at the same paper: the PDF's path, the data
// folder it came from and a hash of the answer key's bytes. A changed key is
// a new version of the paper.
#include <QByteArray>
#include <QString>

namespace zelvora::attempts {

struct PaperIdentity {
    QString pdfPath;
    QString dataFolder;
    QString keyHash;

    bool operator==(const PaperIdentity&) const = default;

    // Hex SHA-256 of the key file's bytes.
    static QString HashKey(const QByteArray& keyBytes);
};

} // namespace zelvora::attempts
