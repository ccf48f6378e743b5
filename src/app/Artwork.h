#pragma once
// The pictures that belong to the program itself rather than to the data
// folder: the catalog window's logo, the wait banner and the credits picture.
// They are compiled into the program, so they cannot be missing.
#include <QImage>

namespace zelvora::app {

QImage LogoPicture();     // 632 x 161
QImage WaitPicture();     // 342 x 79
QImage CreditsPicture();  // 383 x 230

} // namespace zelvora::app
