#pragma once
// Small pictures for the skin tests: every pixel of a pattern differs from
// its neighbours and from the same pixel of another seed, so a copy from the
// wrong place or the wrong picture shows up as a pixel mismatch.
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

inline QImage PatternImage(QSize size, int seed)
{
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            img.setPixel(x, y, qRgb((x * 5 + seed * 40) & 255, (y * 9 + seed * 70) & 255, (x * y + seed * 101) & 255));
    return img;
}

// Writes a 24-bit PNG (RGB32 without alpha is saved as RGB).
inline bool WritePattern(const QString& path, QSize size, int seed)
{
    return PatternImage(size, seed).save(path, "png");
}

inline QImage Region(const QImage& img, const QRect& r)
{
    return img.copy(r).convertToFormat(QImage::Format_RGB32);
}
