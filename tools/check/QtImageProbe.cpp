#include "QtImageProbe.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

namespace zelvora::check {

std::optional<ImageSize> QtImageProbe::size(const std::string& path) const
{
    // The whole picture is decoded: a file whose header is fine but whose
    // data are damaged fails to load in the program too.
    // Read with the program's settings: always as PNG, no automatic turn.
    QImageReader reader(QFile::decodeName(QByteArray::fromStdString(path)), "png");
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(false);
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return std::nullopt;
    return ImageSize{image.width(), image.height()};
}

} // namespace zelvora::check
