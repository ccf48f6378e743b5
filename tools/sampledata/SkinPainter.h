#pragma once
// Paints the skin pictures of the sample data folder: the splash, the catalog
// window's footer, the mock-exam window's top bar and its answer column. Each
// comes as a pair, the normal picture and the same picture with every button
// drawn pressed; the two differ only inside the hot zones, since pressing a
// zone copies just that zone's rectangle from the pressed picture.
//
// The program uses the hot-zone rectangles unchanged as picture coordinates,
// also where the picture sits at 1, 1 inside its panel; each button is drawn
// inside its zone's rectangle with a small margin, so it shows where the user
// clicks and its pressed look never spills into a neighbouring zone.
#include "SkinLayout.h"

#include <QImage>

#include <vector>

namespace zelvora::sampledata {

class SkinPainter {
public:
    // The four pairs with their sizes and hot zones, in the order
    // splash, footer, top bar, answer column.
    static std::vector<SkinLayout> Specs();

    // scale 2 paints the same picture with twice the pixels in each
    // direction, for the "@2x" twin that HiDPI screens use.
    static QImage Splash(bool pressed, int scale = 1);
    static QImage Footer(bool pressed, int scale = 1);
    static QImage TopBar(bool pressed, int scale = 1);
    static QImage AnswerColumn(bool pressed, int scale = 1);

    // The picture of Specs()[index].
    static QImage Paint(std::size_t index, bool pressed, int scale = 1);

    static constexpr int TopBarWidth = 2560;
    // The splash's "Entrar" button starts this far from the picture's left edge.
    static constexpr int SplashButtonLeft = 8;
    static constexpr int AnswerColumnHeight = 2048;
};

} // namespace zelvora::sampledata
