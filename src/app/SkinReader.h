#pragma once
// Reads one skin picture of the data folder: the file is read safely (see
// text/DataFile.h: a regular file of at most DataFile::SkinCap bytes), its
// size is taken from the PNG header before anything is decoded, and a picture
// far larger than any window shows is refused. The skin loader and the data
// folder checker both read skins through here.
#include <QImage>
#include <QSize>
#include <QString>

namespace zelvora::app {

class SkinReader {
public:
    // The largest skin a window shows is the exam window's top bar, as wide
    // as the screen (2560 on the widest screens it is made for); the answer
    // column is as high as the screen. Four times that per side, and a pixel
    // budget of 8 megapixels (32 MiB decoded), leave room for any real skin
    // and for high-density copies, and keep a hostile picture from taking
    // gigabytes.
    static constexpr int MaxSide = 4 * 2560;
    static constexpr qint64 MaxPixels = qint64(8) << 20;

    // True when a picture of this size may be decoded.
    static bool SizeAllowed(QSize size);

    // The decoded picture, or a null image when the file is missing, not a
    // regular file, too large, not a PNG, damaged, or of a size refused above.
    static QImage Read(const QString& fileName);
};

} // namespace zelvora::app
