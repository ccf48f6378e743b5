#pragma once
// One skin pair of the data folder: file names, picture size and the hot
// zones that the program lays over it, in picture coordinates.
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

namespace zelvora::sampledata {

struct SkinLayout {
    QString normalFile; // "abre.png"
    QString pressedFile; // "abreon.png"
    QSize size;
    std::vector<QRect> hotZones;
};

} // namespace zelvora::sampledata
