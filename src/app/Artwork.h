#pragma once
// The pictures that belong to the program itself rather than to the data
// folder: the catalog window's logo, the wait banner and the credits picture.
// They are compiled into the program, so they cannot be missing.
#include <QImage>
#include <QString>

namespace zelvora::app {

// Reads a picture of the program's own (a resource path ending in ".png").
// Where the screen has more device pixels than logical ones, its "@2x" twin is
// read instead, with a device pixel ratio of 2, so it paints at the same
// logical size but sharp.
QImage ScreenPicture(const QString& path, qreal deviceRatio);
QImage ScreenPicture(const QString& path); // for the application's screens

QImage LogoPicture(); // 632 x 161
QImage WaitPicture(); // 342 x 79
QImage CreditsPicture(); // 383 x 230

} // namespace zelvora::app
