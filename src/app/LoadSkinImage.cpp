#include "app/LoadSkinImage.h"

#include "app/SkinReader.h"

#include <QGuiApplication>

namespace zelvora::app {

namespace {

bool LoadPicture(QImage& bitmap, const QString& fileName)
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

} // namespace

QString HighResolutionTwin(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    if (dot <= slash + 1)
        return fileName + QStringLiteral("@2x");
    return fileName.left(dot) + QStringLiteral("@2x") + fileName.mid(dot);
}

bool LoadSkinImage(QImage& bitmap, const QString& fileName)
{
    return LoadSkinImage(bitmap, fileName, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
}

bool LoadSkinImage(QImage& bitmap, const QString& fileName, qreal deviceRatio)
{
    // On a screen with more than one device pixel per logical pixel, the twin
    // with twice the pixels is used, but only when it really is twice the
    // normal picture: press effects and hot zones stay in logical pixels.
    if (deviceRatio > 1.0) {
        // Both pictures go through the safe skin reader; the twin's size is
        // compared with the decoded normal picture's.
        QImage normal;
        if (!LoadPicture(normal, fileName))
            return false;
        QImage sharp;
        if (LoadPicture(sharp, HighResolutionTwin(fileName)) && sharp.size() == normal.size() * 2) {
            sharp.setDevicePixelRatio(2.0);
            bitmap = sharp;
        } else {
            bitmap = normal;
        }
        return true;
    }
    return LoadPicture(bitmap, fileName);
}

void SkinPair::load(const QString& dataFolder, const QString& baseName)
{
    m_pressedFile = dataFolder + baseName + QStringLiteral("on.png");
    m_normalFile = dataFolder + baseName + QStringLiteral(".png");
    m_pressed = QImage();
    m_normal = QImage();
    m_pressedRead = false;
    m_normalRead = false;
}

const QImage& SkinPair::normal() const
{
    if (!m_normalRead) {
        m_normalRead = true;
        LoadSkinImage(m_normal, m_normalFile);
    }
    return m_normal;
}

const QImage& SkinPair::pressed() const
{
    if (!m_pressedRead) {
        m_pressedRead = true;
        LoadSkinImage(m_pressed, m_pressedFile);
    }
    return m_pressed;
}

void SkinPair::clear()
{
    m_normal = QImage();
    m_pressed = QImage();
    m_normalRead = true;
    m_pressedRead = true;
}

} // namespace zelvora::app
