// Draws the two pictures of the mock-exam windows:
//   simulfundo.png  the paper area of the exam window while no paper is open
//   resultado.png   the background of the results window (363 x 446)
// and their "@2x" twins with twice the pixels, for HiDPI screens.
// Run under the offscreen platform: QT_QPA_PLATFORM=offscreen mockart <folder>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

namespace {

QFont Sans(int px, bool bold = false)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

// A sheet of an exam paper with an answer grid, some options filled in.
void DrawSheet(QPainter& p, const QRectF& r, qreal angle, const QColor& ink)
{
    p.save();
    p.translate(r.center());
    p.rotate(angle);
    const QRectF sheet(-r.width() / 2, -r.height() / 2, r.width(), r.height());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawRoundedRect(sheet.translated(5, 6), 6, 6);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0x9A, 0xB4, 0xCC), 1.5));
    p.drawRoundedRect(sheet, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRect(QRectF(sheet.left() + 16, sheet.top() + 16, sheet.width() * 0.55, 9));
    p.setBrush(QColor(0xC8, 0xD4, 0xE2));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(sheet.left() + 16, sheet.top() + 34 + i * 12, sheet.width() - 32 - i * 18, 5));
    const int rows = 6;
    const qreal top = sheet.top() + 80;
    const qreal step = (sheet.height() - 96) / rows;
    const int filled[rows] = {1, 3, 0, 4, 2, 1};
    for (int row = 0; row < rows; ++row) {
        p.setPen(QPen(QColor(0x6B, 0x80, 0x99), 1));
        p.setBrush(Qt::NoBrush);
        p.setFont(Sans(10, true));
        p.drawText(QPointF(sheet.left() + 14, top + row * step + 9), QString::number(row + 1));
        for (int opt = 0; opt < 5; ++opt) {
            const QPointF c(sheet.left() + 42 + opt * ((sheet.width() - 56) / 5), top + row * step + 5);
            p.setBrush(opt == filled[row] ? QBrush(ink) : QBrush(Qt::NoBrush));
            p.drawEllipse(c, 5.5, 5.5);
        }
    }
    p.restore();
}

// A picture of width x height logical pixels with scale device pixels each;
// all drawing is in logical pixels, so the "@2x" twin shows the same picture.
QImage Canvas(int width, int height, int scale)
{
    QImage img(width * scale, height * scale, QImage::Format_RGB32);
    img.setDevicePixelRatio(scale);
    return img;
}

QImage PaperArea(int scale)
{
    const QColor ground(0xC8, 0xDA, 0xE9);
    const QColor navy(0x32, 0x3F, 0x6C);
    QImage img = Canvas(921, 329, scale);
    img.fill(ground);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Soft light behind the sheets, fading into the panel's colour.
    QRadialGradient glow(QPointF(150, 165), 190);
    glow.setColorAt(0, QColor(255, 255, 255, 150));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(150, 165), 190, 190);

    DrawSheet(p, QRectF(60, 58, 150, 200), -8, QColor(0x7A, 0x8C, 0xA8));
    DrawSheet(p, QRectF(105, 48, 160, 214), 5, navy);

    // A stopwatch beside the sheets.
    p.save();
    p.translate(275, 228);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawEllipse(QPointF(3, 4), 34, 34);
    p.setBrush(QColor(0x2B, 0x68, 0x98));
    p.drawRoundedRect(QRectF(-7, -46, 14, 10), 3, 3);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0x2B, 0x68, 0x98), 6));
    p.drawEllipse(QPointF(0, 0), 32, 32);
    p.setPen(QPen(navy, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, 0), QPointF(0, -20));
    p.drawLine(QPointF(0, 0), QPointF(13, 8));
    p.restore();

    p.setPen(navy);
    p.setFont(Sans(40, true));
    p.drawText(QPointF(345, 118), QStringLiteral("Simulados"));
    p.setPen(QColor(0x2B, 0x68, 0x98));
    p.setFont(Sans(18));
    p.drawText(QPointF(348, 152), QStringLiteral("Escolha a prova acima e comece quando quiser."));

    p.setPen(QPen(QColor(0x2B, 0x68, 0x98, 120), 2));
    p.drawLine(QPointF(348, 172), QPointF(820, 172));

    p.setFont(Sans(15));
    p.setPen(navy);
    const QString hints[] = {
        QStringLiteral("Leia a prova aqui mesmo, página por página."),
        QStringLiteral("Marque as respostas na coluna à direita (teclas A a E)."),
        QStringLiteral("O relógio conta o tempo; ao terminar, veja o seu resultado."),
    };
    for (int i = 0; i < 3; ++i) {
        const qreal y = 203 + i * 30;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2B, 0x68, 0x98));
        p.drawEllipse(QPointF(356, y - 5), 4.5, 4.5);
        p.setPen(navy);
        p.drawText(QPointF(370, y), hints[i]);
    }
    p.end();
    return img;
}

QImage Results(int scale)
{
    QImage img = Canvas(363, 446, scale);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient ground(0, 0, 0, 446);
    ground.setColorAt(0, QColor(0x2B, 0x68, 0x98));
    ground.setColorAt(0.45, QColor(0x27, 0x4F, 0x84));
    ground.setColorAt(1, QColor(0x1D, 0x30, 0x5E));
    p.fillRect(QRect(0, 0, 363, 446), ground);

    // Header band behind "Resultado".
    QLinearGradient band(0, 0, 363, 0);
    band.setColorAt(0, QColor(0x32, 0x3F, 0x6C));
    band.setColorAt(1, QColor(0x32, 0x3F, 0x6C, 0));
    p.fillRect(QRect(0, 0, 363, 36), band);
    p.fillRect(QRect(0, 36, 363, 2), QColor(0xF2, 0xB6, 0x3A));

    // Large faint rings at the bottom right.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 18 - i * 3), 14));
        p.drawEllipse(QPointF(330, 250), 60 + i * 34, 60 + i * 34);
    }

    // Light strips under the two rules so their dark line reads as a divider.
    for (int y : {97, 161}) {
        QLinearGradient strip(5, 0, 359, 0);
        strip.setColorAt(0, QColor(0xE4, 0xEE, 0xF7));
        strip.setColorAt(1, QColor(0xE4, 0xEE, 0xF7, 60));
        p.fillRect(QRect(5, y, 354, 6), strip);
    }

    // Panels behind the two lists of question numbers.
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.setBrush(QColor(0x0E, 0x1E, 0x42, 70));
    p.drawRoundedRect(QRectF(4.5, 190.5, 213, 128), 6, 6);
    p.drawRoundedRect(QRectF(4.5, 347.5, 353, 93), 6, 6);

    // A check mark beside the right answers, a cross in the corner for the wrong.
    p.setPen(QPen(QColor(0x7E, 0xD9, 0x8A, 150), 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath check;
    check.moveTo(245, 255);
    check.lineTo(272, 283);
    check.lineTo(330, 212);
    p.drawPath(check);
    p.setPen(QPen(QColor(0xF2, 0x8B, 0x82, 130), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(331, 329), QPointF(347, 345));
    p.drawLine(QPointF(347, 329), QPointF(331, 345));
    p.end();
    return img;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: mockart <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    bool ok = PaperArea(1).save(folder + QStringLiteral("simulfundo.png"));
    ok = Results(1).save(folder + QStringLiteral("resultado.png")) && ok;
    // The twins with twice the pixels, for HiDPI screens.
    ok = PaperArea(2).save(folder + QStringLiteral("simulfundo@2x.png")) && ok;
    ok = Results(2).save(folder + QStringLiteral("resultado@2x.png")) && ok;
    return ok ? 0 : 1;
}
