#include "mockexam/PaperTextReader.h"

#include <QPdfDocument>
#include <QPdfSelection>

namespace zelvora::mockexam {

PageText PaperTextReader::ReadPage(QPdfDocument& document, int page)
{
    PageText out;
    const QSizeF size = document.pagePointSize(page);
    out.width = size.width();
    out.height = size.height();
    const QPdfSelection all = document.getAllText(page);
    const QString text = all.text();
    out.text.assign(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()));
    const QList<QPolygonF> bounds = all.bounds();
    out.boxes.reserve(std::size_t(bounds.size()));
    for (const QPolygonF& polygon : bounds) {
        const QRectF r = polygon.boundingRect();
        out.boxes.push_back({r.left(), r.top(), r.right(), r.bottom()});
    }
    return out;
}

std::vector<PageText> PaperTextReader::ReadAll(QPdfDocument& document)
{
    std::vector<PageText> pages;
    const int count = document.pageCount();
    pages.reserve(std::size_t(count > 0 ? count : 0));
    for (int page = 0; page < count; ++page)
        pages.push_back(ReadPage(document, page));
    return pages;
}

} // namespace zelvora::mockexam
