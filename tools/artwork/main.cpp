// Draws the three pictures that ship inside the program: the catalog window's
// logo (632 x 161), the wait banner (342 x 79) and the credits picture
// (383 x 230), each also as an "@2x" twin with twice the pixels for HiDPI
// screens. All in the program's dark blue, 24-bit colour, no alpha.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

namespace {

const QColor kDarkBlue(50, 63, 108);
const QColor kDeepBlue(26, 33, 62);
const QColor kGold(232, 184, 72);
const QColor kPale(206, 216, 240);

QFont Sans(int pixels, bool bold = false, bool italic = false)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// A picture of width x height logical pixels with scale device pixels each;
// everything is drawn in logical pixels, so the "@2x" twin shows the same
// picture with twice the detail.
QImage Canvas(int width, int height, int scale)
{
    QImage img(width * scale, height * scale, QImage::Format_RGB32);
    img.setDevicePixelRatio(scale);
    return img;
}

void Begin(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

void BlueGround(QPainter& p, const QRect& r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, kDarkBlue.lighter(118));
    g.setColorAt(1.0, kDeepBlue);
    p.fillRect(r, g);
    // Faint diagonal lines give the ground some texture.
    p.save();
    p.setClipRect(r);
    p.setPen(QPen(QColor(255, 255, 255, 10), 1));
    for (int x = -r.height(); x < r.width(); x += 9)
        p.drawLine(r.left() + x, r.bottom(), r.left() + x + r.height(), r.top());
    p.restore();
}

// A stack of exam sheets with a check mark: the program's emblem.
void Emblem(QPainter& p, const QPointF& at, qreal scale)
{
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    p.setPen(QPen(QColor(20, 26, 50), 1.2));
    for (int i = 2; i >= 0; --i) {
        p.save();
        p.translate(i * 5, -i * 5);
        p.rotate(-4 + i * 4);
        p.setBrush(i == 0 ? QColor(250, 250, 246) : QColor(222, 228, 242));
        p.drawRoundedRect(QRectF(0, 0, 46, 58), 3, 3);
        p.restore();
    }
    p.setPen(QPen(QColor(150, 160, 190), 2.2, Qt::SolidLine, Qt::RoundCap));
    for (int line = 0; line < 5; ++line)
        p.drawLine(QPointF(8, 12 + line * 9), QPointF(line == 4 ? 26 : 38, 12 + line * 9));
    QPainterPath tick;
    tick.moveTo(24, 40);
    tick.lineTo(33, 50);
    tick.lineTo(52, 24);
    p.setPen(QPen(kGold, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
    p.restore();
}

void ShadowText(QPainter& p, const QPointF& at, const QString& text, const QColor& colour)
{
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(at + QPointF(1.5, 1.5), text);
    p.setPen(colour);
    p.drawText(at, text);
}

QImage Logo(int scale)
{
    QImage img = Canvas(632, 161, scale);
    QPainter p(&img);
    Begin(p);
    BlueGround(p, QRect(0, 0, 632, 161));

    // Title band.
    p.setFont(Sans(46, true));
    ShadowText(p, QPointF(19, 54), QStringLiteral("Zelvora"), Qt::white);
    p.setFont(Sans(14, false, true));
    p.setPen(kPale);
    p.drawText(QPointF(22, 75), QStringLiteral("Provas anteriores de concursos públicos para estudar e praticar"));
    Emblem(p, QPointF(548, 14), 0.95);

    // Gold rule between the title and the filters.
    QLinearGradient rule(QPointF(10, 0), QPointF(622, 0));
    rule.setColorAt(0.0, kGold);
    rule.setColorAt(1.0, QColor(232, 184, 72, 0));
    p.fillRect(QRectF(10, 81, 612, 2), rule);

    // A slightly lighter field behind the three filter lists.
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.setBrush(QColor(255, 255, 255, 18));
    p.drawRoundedRect(QRectF(8.5, 86.5, 615, 66), 6, 6);
    return img;
}

QImage Wait(int scale)
{
    QImage img = Canvas(342, 79, scale);
    QPainter p(&img);
    Begin(p);
    BlueGround(p, QRect(0, 0, 342, 79));

    // A raised, button-like label.
    const QRectF button(12.5, 17.5, 252, 44);
    QLinearGradient face(button.topLeft(), button.bottomLeft());
    face.setColorAt(0.0, QColor(96, 114, 176));
    face.setColorAt(1.0, QColor(62, 78, 134));
    p.setPen(QPen(QColor(16, 20, 40), 1));
    p.setBrush(face);
    p.drawRoundedRect(button, 7, 7);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.drawLine(button.topLeft() + QPointF(7, 1), button.topRight() + QPointF(-7, 1));
    p.setFont(Sans(15, true));
    p.setPen(Qt::white);
    p.drawText(button, Qt::AlignCenter, QStringLiteral("Aguarde, carregando a prova..."));

    // An hourglass at the right, inside the 337 columns the window shows.
    p.save();
    p.translate(290, 10);
    p.setPen(QPen(kGold.darker(130), 1.5));
    p.setBrush(kGold);
    p.drawRoundedRect(QRectF(0, 0, 34, 6), 2, 2);
    p.drawRoundedRect(QRectF(0, 53, 34, 6), 2, 2);
    QPainterPath glass;
    glass.moveTo(4, 6);
    glass.lineTo(30, 6);
    glass.cubicTo(30, 20, 19, 25, 19, 29.5);
    glass.cubicTo(19, 34, 30, 39, 30, 53);
    glass.lineTo(4, 53);
    glass.cubicTo(4, 39, 15, 34, 15, 29.5);
    glass.cubicTo(15, 25, 4, 20, 4, 6);
    p.setPen(QPen(kPale, 1.5));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawPath(glass);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 214, 150));
    QPainterPath sandTop;
    sandTop.moveTo(9, 16);
    sandTop.lineTo(25, 16);
    sandTop.cubicTo(24, 22, 18, 25, 17, 28);
    sandTop.cubicTo(16, 25, 10, 22, 9, 16);
    p.drawPath(sandTop);
    QPainterPath sandBottom;
    sandBottom.moveTo(6, 52);
    sandBottom.lineTo(28, 52);
    sandBottom.cubicTo(26, 45, 20, 42, 17, 42);
    sandBottom.cubicTo(14, 42, 8, 45, 6, 52);
    p.drawPath(sandBottom);
    p.fillRect(QRectF(16.5, 29, 1.2, 13), QColor(240, 214, 150));
    p.restore();
    return img;
}

void Badge(QPainter& p, const QPointF& centre, const QString& initials, const QColor& colour)
{
    QRadialGradient g(centre - QPointF(3, 3), 13);
    g.setColorAt(0.0, colour.lighter(140));
    g.setColorAt(1.0, colour);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    p.setBrush(g);
    p.drawEllipse(centre, 11.5, 11.5);
    p.setFont(Sans(10, true));
    p.setPen(Qt::white);
    p.drawText(QRectF(centre.x() - 12, centre.y() - 12, 24, 24), Qt::AlignCenter, initials);
}

QImage Credits(int scale)
{
    QImage img = Canvas(383, 230, scale);
    QPainter p(&img);
    Begin(p);
    BlueGround(p, QRect(0, 0, 383, 230));

    Emblem(p, QPointF(16, 16), 0.62);
    p.setFont(Sans(30, true));
    ShadowText(p, QPointF(70, 44), QStringLiteral("Zelvora"), Qt::white);
    p.setFont(Sans(11, false, true));
    p.setPen(kPale);
    p.drawText(QPointF(72, 60), QStringLiteral("Treino para concursos públicos"));
    p.fillRect(QRectF(16, 70, 351, 1.5), kGold);

    struct Credit {
        const char* role;
        const char* names;
        const char* initials;
        QColor colour;
    };
    const Credit credits[] = {
        {"Produção", "Estúdio Tucano Azul", "TA", QColor(40, 130, 180)},
        {"Programação", "Ana Ribeiro e Caio Monteiro", "AC", QColor(70, 150, 90)},
        {"Ilustração", "Júlia Sato", "JS", QColor(190, 100, 60)},
        {"Conteúdo", "Prof. Renato Lima", "RL", QColor(140, 90, 170)},
    };
    qreal y = 90;
    for (const Credit& c : credits) {
        Badge(p, QPointF(30, y + 2), QString::fromUtf8(c.initials), c.colour);
        p.setFont(Sans(11, true));
        p.setPen(kGold);
        p.drawText(QPointF(50, y - 2), QString::fromUtf8(c.role));
        p.setFont(Sans(13));
        p.setPen(Qt::white);
        p.drawText(QPointF(50, y + 12), QString::fromUtf8(c.names));
        y += 29;
    }
    p.setFont(Sans(10, false, true));
    p.setPen(QColor(170, 182, 214));
    p.drawText(QRectF(0, 196, 367, 14), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Clique na imagem para fechar"));
    return img;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zelvora_artwork <output folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const struct {
        const char* name;
        QImage image;
    } pictures[] = {{"logo.png", Logo(1)},    {"aguarde.png", Wait(1)},    {"creditos.png", Credits(1)},
                    {"logo@2x.png", Logo(2)}, {"aguarde@2x.png", Wait(2)}, {"creditos@2x.png", Credits(2)}};
    for (const auto& pic : pictures) {
        const QString path = out.filePath(QString::fromLatin1(pic.name));
        // RGB32 without alpha is written as a 24-bit PNG.
        if (!pic.image.convertToFormat(QImage::Format_RGB32).save(path, "png")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
