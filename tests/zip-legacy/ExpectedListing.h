#pragma once
// Reads EXPECTED.txt of the shared zip test data: per archive, one row per
// entry with its method name, flags, sizes, CRC-32 and the sha256 of the
// correctly extracted file.
#include <QString>
#include <QVector>

struct ExpectedEntry {
    QString name;
    QString method; // "stored", "shrunk", "reduced1".."reduced4", "imploded", "deflated"
    uint flags = 0;
    quint64 compressedSize = 0;
    quint64 uncompressedSize = 0;
    quint32 crc = 0;
    QString outName;
    QString sha256;
};

struct ExpectedArchive {
    QString path; // relative to the zip test data folder
    QVector<ExpectedEntry> entries;
};

class ExpectedListing {
public:
    // Empty when the file cannot be read.
    static QVector<ExpectedArchive> read(const QString& expectedTxt);
};
