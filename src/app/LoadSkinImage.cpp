#include "app/LoadSkinImage.h"

#include "app/SkinReader.h"

namespace zelvora::app {

bool LoadSkinImage(QImage& bitmap, const QString& fileName)
{
    const QImage decoded = SkinReader::Read(fileName);
    if (decoded.isNull())
        return false;
    // Palette and 24-bit pictures alike become a 32-bit bitmap that
    // QPainter can draw into; the colours are kept exactly.
    bitmap = decoded.convertToFormat(decoded.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                               : QImage::Format_RGB32);
    return !bitmap.isNull();
}

void SkinPair::load(const QString& dataFolder, const QString& baseName)
{
    LoadSkinImage(pressed, dataFolder + baseName + QStringLiteral("on.png"));
    LoadSkinImage(normal, dataFolder + baseName + QStringLiteral(".png"));
}

void SkinPair::clear()
{
    normal = QImage();
    pressed = QImage();
}

} // namespace zelvora::app
