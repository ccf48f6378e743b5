#pragma once
#include <QImage>
#include <QString>

namespace zelvora::app {

// Decodes one PNG file into bitmap (through SkinReader). Every failure (no
// such file, not a regular file, not a PNG, damaged data, a picture far larger
// than any skin) is swallowed: the result is false and bitmap stays empty.
// A loaded picture is kept in a format that can be painted on.
bool LoadSkinImage(QImage& bitmap, const QString& fileName);

// A skin pair: the normal picture and the pressed one ("on" before the
// extension: "abre.png" and "abreon.png"). Loads the pressed file first.
struct SkinPair {
    QImage normal;
    QImage pressed;
    void load(const QString& dataFolder, const QString& baseName);
    void clear();
};

} // namespace zelvora::app
