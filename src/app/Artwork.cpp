#include "app/Artwork.h"

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
namespace {

QImage Picture(const char* name)
{
    RegisterArtwork();
    return QImage(QStringLiteral(":/zelvora/") + QLatin1String(name)).convertToFormat(QImage::Format_RGB32);
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
