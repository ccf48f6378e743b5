#pragma once
// The pictures the mock-exam windows carry with them (the background of the
// paper area and of the results window), compiled in as Qt resources.
#include <QImage>

namespace zelvora::mockexam {

// Registers the resources once; the library is static, so nothing else would.
void EnsureResources();

QImage PaperAreaPicture(); // ":/mockexam/simulfundo.png"
QImage ResultsPicture(); // ":/mockexam/resultado.png", 363 x 446

} // namespace zelvora::mockexam
