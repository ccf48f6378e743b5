#include "app/SkinReader.h"

#include "text/DataFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace zelvora::app {

bool SkinReader::SizeAllowed(QSize size)
{
    return size.isValid() && size.width() > 0 && size.height() > 0 && size.width() <= MaxSide
        && size.height() <= MaxSide && qint64(size.width()) * size.height() <= MaxPixels;
}

QImage SkinReader::Read(const QString& fileName)
{
    const auto bytes = text::DataFile::Read(QFile::encodeName(fileName).toStdString(), text::DataFile::SkinCap);
    if (!bytes)
        return {};
    QByteArray data = QByteArray::fromRawData(bytes->data(), qsizetype(bytes->size()));
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    // Always read as PNG, whatever the content claims; no automatic turn.
    QImageReader reader(&buffer, "png");
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    if (!SizeAllowed(reader.size()))
        return {};
    QImage decoded;
    if (!reader.read(&decoded) || decoded.isNull() || !SizeAllowed(decoded.size()))
        return {};
    return decoded;
}

} // namespace zelvora::app
