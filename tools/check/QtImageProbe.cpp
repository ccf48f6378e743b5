#include "QtImageProbe.h"

#include "app/SkinReader.h"

#include <QFile>

namespace zelvora::check {

std::optional<ImageSize> QtImageProbe::size(const std::string& path) const
{
    // The program's own skin reader: the same safe read, the same size limit,
    // and the whole picture decoded, since a file whose header is fine but
    // whose data are damaged fails to load in the program too.
    const QImage image = app::SkinReader::Read(QFile::decodeName(QByteArray::fromStdString(path)));
    if (image.isNull())
        return std::nullopt;
    return ImageSize{image.width(), image.height()};
}

} // namespace zelvora::check
