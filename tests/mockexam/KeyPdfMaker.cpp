#include "KeyPdfMaker.h"

#include <QBuffer>
#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

QByteArray KeyPdfMaker::Write(const std::vector<KeyPage>& pages)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(72);
        QPainter painter(&writer);
        for (size_t p = 0; p < pages.size(); ++p) {
            if (p > 0)
                writer.newPage();
            for (const auto& item : pages[p]) {
                QFont font(QStringLiteral("Liberation Sans"));
                font.setPixelSize(item.pixels);
                painter.setFont(font);
                painter.save();
                painter.translate(item.x, item.y);
                painter.rotate(item.angle);
                painter.drawText(QPointF(0, 0), item.text);
                painter.restore();
            }
        }
    }
    return bytes;
}

void KeyPdfMaker::Lines(KeyPage& page, double x, double y, const QStringList& lines, double step)
{
    for (const auto& l : lines) {
        page.push_back({x, y, l});
        y += step;
    }
}

void KeyPdfMaker::Cells(KeyPage& page, double x, double y, const QStringList& cells, double step)
{
    for (const auto& c : cells) {
        page.push_back({x, y, c});
        x += step;
    }
}
