#pragma once
#include <QImage>
#include <QString>

namespace zelvora::app {

// Decodes one PNG file into bitmap (through SkinReader). Every failure (no
// such file, not a regular file, not a PNG, damaged data, a picture far larger
// than any skin) is swallowed: the result is false and bitmap stays empty.
// A loaded picture is kept in a format that can be painted on.
// Where the screen has more device pixels than logical ones, a twin named
// with "@2x" before the extension ("abre@2x.png") that is exactly twice the
// size of the normal file is loaded instead and given a device pixel ratio of
// 2, so it paints at the normal file's logical size.
bool LoadSkinImage(QImage& bitmap, const QString& fileName);
bool LoadSkinImage(QImage& bitmap, const QString& fileName, qreal deviceRatio);

// "abre.png" -> "abre@2x.png".
QString HighResolutionTwin(const QString& fileName);

// A skin pair: the normal picture and the pressed one ("on" before the
// extension: "abre.png" and "abreon.png"). load() names the two files; each
// is decoded the first time it is asked for (the pressed one usually at the
// first press), so windows that are not shown yet cost nothing at start-up.
class SkinPair {
public:
    void load(const QString& dataFolder, const QString& baseName);
    const QImage& normal() const;
    const QImage& pressed() const;
    void clear();

private:
    QString m_normalFile;
    QString m_pressedFile;
    mutable QImage m_normal;
    mutable QImage m_pressed;
    mutable bool m_normalRead = true;
    mutable bool m_pressedRead = true;
};

} // namespace zelvora::app
