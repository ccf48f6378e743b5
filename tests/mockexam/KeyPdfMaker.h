#pragma once
// Answer-key PDFs made at test time, the way boards lay them out: every text
// drawn with QPainter at a chosen place (points from the top left of an A4
// page), so a test decides where each number and letter stands.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

struct KeyText {
    double x = 0, y = 0; // the baseline's left end
    QString text;
    int pixels = 10;
    int angle = 0; // degrees clockwise, for a watermark across the page
};

using KeyPage = std::vector<KeyText>;

class KeyPdfMaker {
public:
    static QByteArray Write(const std::vector<KeyPage>& pages);

    // Lines one under the other.
    static void Lines(KeyPage& page, double x, double y, const QStringList& lines, double step = 16);
    // A grid row: each cell at its own column, step points apart.
    static void Cells(KeyPage& page, double x, double y, const QStringList& cells, double step = 24);
};
