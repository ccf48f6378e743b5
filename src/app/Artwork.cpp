#include "app/Artwork.h"

#include <QGuiApplication>
#include <QString>

// The resources live in a static library; registering them from here makes
// sure the linker keeps them whenever a window asks for a picture.
static void RegisterArtwork()
{
    static const bool once = [] {
        Q_INIT_RESOURCE(artwork);
        return true;
    }();
    (void)once;
}

namespace zelvora::app {

QImage ScreenPicture(const QString& path, qreal deviceRatio)
{
    if (deviceRatio > 1.0) {
        QString twin = path;
        twin.insert(twin.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
        QImage sharp(twin);
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QImage(path);
}

QImage ScreenPicture(const QString& path)
{
    return ScreenPicture(path, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
}

namespace {

QImage Picture(const char* name)
{
    RegisterArtwork();
    return ScreenPicture(QStringLiteral(":/zelvora/") + QLatin1String(name)).convertToFormat(QImage::Format_RGB32);
}

} // namespace

QImage LogoPicture()
{
    return Picture("logo.png");
}

QImage WaitPicture()
{
    return Picture("aguarde.png");
}

QImage CreditsPicture()
{
    return Picture("creditos.png");
}

} // namespace zelvora::app
