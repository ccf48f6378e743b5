#include "ExpectedListing.h"

#include <QFile>
#include <QStringList>

QVector<ExpectedArchive> ExpectedListing::read(const QString& expectedTxt)
{
    QVector<ExpectedArchive> archives;
    QFile file(expectedTxt);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return archives;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1String("## "))) {
            ExpectedArchive archive;
            archive.path = line.mid(3).section(QLatin1Char(' '), 0, 0);
            archives.push_back(archive);
            continue;
        }
        if (line.startsWith(QLatin1Char('#')) || archives.isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() < 8)
            continue;
        ExpectedEntry e;
        e.name = fields[0];
        e.method = fields[1];
        e.flags = fields[2].toUInt(nullptr, 16);
        e.compressedSize = fields[3].toULongLong();
        e.uncompressedSize = fields[4].toULongLong();
        e.crc = fields[5].toUInt(nullptr, 16);
        e.outName = fields[6];
        e.sha256 = fields[7].section(QLatin1Char(' '), 0, 0).trimmed();
        archives.back().entries.push_back(e);
    }
    return archives;
}
