#include "SkinPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace zelvora::sampledata {

namespace {

// The program's own colours: the panels behind the skins show them where a
// picture is missing, so the pictures are built on the same colours.
const QColor DarkBlue(50, 63, 108);
const QColor ColumnBlue(39, 63, 111);
const QColor Night(27, 36, 72);
const QColor SoftBlue(201, 211, 240);
const QColor MutedBlue(143, 160, 212);
const QColor Amber(245, 176, 65);
const QColor AmberDeep(228, 140, 42);
const QColor AmberInk(31, 39, 74);

const QRect SplashStart(0, 404, 146, 73);
const QRect FooterZones[] = {
    {3, 4, 108, 37}, {110, 4, 105, 37}, {214, 4, 105, 37}, {318, 4, 105, 37}, {560, 4, 71, 37}};
const QRect TopBarStart(653, 80, 128, 36);
const QRect ColumnZones[] = {{121, 49, 73, 30}, {121, 78, 73, 30}, {1, 110, 193, 30}, {1, 139, 193, 30}};

enum class Icon { None, Search, Copy, Info, Clock, Exit, Next, Previous, Check, Play, Enter };

struct Tone {
    QColor top;
    QColor bottom;
    QColor border;
    QColor text;
};

const Tone Steel{QColor(90, 110, 176), QColor(66, 83, 142), QColor(30, 39, 76), Qt::white};
const Tone Gold{Amber, AmberDeep, QColor(150, 88, 20), AmberInk};
const Tone Brick{QColor(204, 92, 86), QColor(168, 63, 58), QColor(110, 36, 34), Qt::white};

QFont uiFont(qreal pixelSize, bool bold = true)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(qRound(pixelSize));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// A picture of width x height logical pixels, scale device pixels each; all
// drawing is done in logical pixels, so every scale shows the same picture.
QImage blank(int width, int height, int scale)
{
    QImage image(width * scale, height * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::black);
    return image;
}

// Draws a line icon centred in the square box.
void drawIcon(QPainter& p, Icon icon, const QRectF& box, const QColor& colour)
{
    if (icon == Icon::None)
        return;
    p.save();
    const qreal s = box.width();
    p.translate(box.topLeft());
    QPen pen(colour, std::max<qreal>(1.6, s / 8.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (icon) {
    case Icon::Search:
        p.drawEllipse(QRectF(s * 0.08, s * 0.08, s * 0.6, s * 0.6));
        p.drawLine(QPointF(s * 0.62, s * 0.62), QPointF(s * 0.92, s * 0.92));
        break;
    case Icon::Copy:
        p.drawRoundedRect(QRectF(s * 0.08, s * 0.08, s * 0.56, s * 0.62), s * 0.08, s * 0.08);
        p.setBrush(colour);
        p.drawRoundedRect(QRectF(s * 0.36, s * 0.3, s * 0.56, s * 0.62), s * 0.08, s * 0.08);
        break;
    case Icon::Info:
        p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
        p.drawLine(QPointF(s * 0.5, s * 0.46), QPointF(s * 0.5, s * 0.72));
        p.setBrush(colour);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(s * 0.5, s * 0.29), s * 0.08, s * 0.08);
        break;
    case Icon::Clock:
        p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
        p.drawLine(QPointF(s * 0.5, s * 0.5), QPointF(s * 0.5, s * 0.24));
        p.drawLine(QPointF(s * 0.5, s * 0.5), QPointF(s * 0.7, s * 0.62));
        break;
    case Icon::Exit: {
        QPainterPath door;
        door.moveTo(s * 0.5, s * 0.1);
        door.lineTo(s * 0.12, s * 0.1);
        door.lineTo(s * 0.12, s * 0.9);
        door.lineTo(s * 0.5, s * 0.9);
        p.drawPath(door);
        p.drawLine(QPointF(s * 0.38, s * 0.5), QPointF(s * 0.92, s * 0.5));
        p.drawLine(QPointF(s * 0.72, s * 0.3), QPointF(s * 0.92, s * 0.5));
        p.drawLine(QPointF(s * 0.72, s * 0.7), QPointF(s * 0.92, s * 0.5));
        break;
    }
    case Icon::Next:
    case Icon::Enter:
        p.drawLine(QPointF(s * 0.12, s * 0.5), QPointF(s * 0.88, s * 0.5));
        p.drawLine(QPointF(s * 0.58, s * 0.2), QPointF(s * 0.88, s * 0.5));
        p.drawLine(QPointF(s * 0.58, s * 0.8), QPointF(s * 0.88, s * 0.5));
        break;
    case Icon::Previous:
        p.drawLine(QPointF(s * 0.88, s * 0.5), QPointF(s * 0.12, s * 0.5));
        p.drawLine(QPointF(s * 0.42, s * 0.2), QPointF(s * 0.12, s * 0.5));
        p.drawLine(QPointF(s * 0.42, s * 0.8), QPointF(s * 0.12, s * 0.5));
        break;
    case Icon::Check:
        p.drawLine(QPointF(s * 0.1, s * 0.54), QPointF(s * 0.38, s * 0.8));
        p.drawLine(QPointF(s * 0.38, s * 0.8), QPointF(s * 0.9, s * 0.22));
        break;
    case Icon::Play: {
        QPainterPath triangle;
        triangle.moveTo(s * 0.22, s * 0.12);
        triangle.lineTo(s * 0.88, s * 0.5);
        triangle.lineTo(s * 0.22, s * 0.88);
        triangle.closeSubpath();
        p.setBrush(colour);
        p.drawPath(triangle);
        break;
    }
    case Icon::None:
        break;
    }
    p.restore();
}

// Text at a baseline. On a picture with more than one device pixel per
// logical pixel the text is drawn in device pixels with a font scaled to
// match: Qt's text under a scaling painter depends on which glyphs it drew
// before, and the pictures must come out the same every time.
void drawTextAt(QPainter& p, const QPointF& baseline, const QString& text, const QFont& f, const QColor& colour)
{
    const qreal ratio = p.device()->devicePixelRatio();
    if (ratio > 1 && f.pixelSize() * ratio > 64) {
        // Beyond the glyph cache Qt draws outlines, and their shape depends on
        // the sizes its font engine loaded before; each outline is therefore
        // taken once per process and reused, so every picture written by the
        // process is the same.
        static QHash<QString, QPainterPath> outlines;
        const QString key = f.toString() + QLatin1Char('\n') + text;
        auto found = outlines.find(key);
        if (found == outlines.end()) {
            QPainterPath outline;
            outline.addText(QPointF(0, 0), f, text);
            found = outlines.insert(key, outline);
        }
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(found->translated(baseline), colour);
        p.restore();
        return;
    }
    if (ratio > 1) {
        const QPointF at = p.deviceTransform().map(baseline);
        QFont scaled = f;
        scaled.setPixelSize(qRound(f.pixelSize() * ratio));
        p.save();
        p.resetTransform();
        p.scale(1 / ratio, 1 / ratio); // back to device pixels
        p.setFont(scaled);
        p.setPen(colour);
        p.drawText(at, text);
        p.restore();
        return;
    }
    p.setFont(f);
    p.setPen(colour);
    p.drawText(baseline, text);
}

struct ButtonLook {
    Tone tone;
    Icon icon = Icon::None;
    qreal fontPx = 13;
    qreal radius = 5;
    bool iconAfter = false;
    // Corners on the left edge are square (a tab coming out of the window edge).
    bool flatLeft = false;
    qreal iconScale = 1.05; // icon size as a share of the type size
};

QPainterPath buttonShape(const QRectF& r, qreal radius, bool flatLeft)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    if (flatLeft) {
        QPainterPath square;
        square.addRect(QRectF(r.left(), r.top(), radius * 2, r.height()));
        path = path.united(square);
    }
    return path.simplified();
}

// A raised button: soft shadow, vertical gradient, light top edge. Pressed, it
// sinks: darker and flatter, with an inner shadow along the top and its
// content moved one pixel down and right.
void drawButton(QPainter& p, const QRectF& r, const QString& text, const ButtonLook& look, bool pressed)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const Tone& tone = look.tone;
    const QPainterPath shape = buttonShape(r, look.radius, look.flatLeft);
    if (!pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawPath(shape.translated(0, 1.5));
    }
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    if (pressed) {
        fill.setColorAt(0, tone.bottom.darker(125));
        fill.setColorAt(1, tone.bottom.darker(108));
    } else {
        fill.setColorAt(0, tone.top);
        fill.setColorAt(1, tone.bottom);
    }
    p.setPen(QPen(tone.border, 1));
    p.setBrush(fill);
    p.drawPath(shape);

    p.setClipPath(shape);
    if (pressed) {
        QLinearGradient inner(r.topLeft(), r.topLeft() + QPointF(0, 6));
        inner.setColorAt(0, QColor(0, 0, 0, 90));
        inner.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(r, inner);
    } else {
        p.setPen(QPen(QColor(255, 255, 255, 70), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(buttonShape(r.adjusted(1, 1, -1, -1), look.radius - 1, look.flatLeft));
    }
    p.setClipping(false);

    const QFont f = uiFont(look.fontPx);
    const QFontMetricsF metrics(f);
    const qreal iconSize = look.icon == Icon::None ? 0 : std::round(look.fontPx * look.iconScale);
    const qreal gap = look.icon == Icon::None || text.isEmpty()
        ? 0
        : std::round(look.fontPx * (look.iconScale < 1 ? 0.3 : 0.45));
    const qreal textWidth = metrics.horizontalAdvance(text);
    const qreal total = iconSize + gap + textWidth;
    const QPointF shift = pressed ? QPointF(1, 1) : QPointF(0, 0);
    qreal x = r.left() + (r.width() - total) / 2 + shift.x();
    if (look.flatLeft)
        x += look.radius / 2;
    const qreal cy = r.center().y() + shift.y();
    QColor ink = tone.text;
    if (pressed)
        ink = ink.lightness() > 128 ? QColor(236, 240, 250) : ink;
    auto placeIcon = [&](qreal at) { drawIcon(p, look.icon, QRectF(at, cy - iconSize / 2, iconSize, iconSize), ink); };
    if (!look.iconAfter && iconSize > 0) {
        placeIcon(x);
        x += iconSize + gap;
    }
    const qreal baseline = cy + (metrics.ascent() - metrics.descent()) / 2;
    drawTextAt(p, QPointF(x, baseline), text, f, ink);
    x += textWidth + gap;
    if (look.iconAfter && iconSize > 0)
        placeIcon(x);
    p.restore();
}

// The program's mark: a rounded amber square holding a "Z" and a small tick.
void drawMark(QPainter& p, const QRectF& r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(r.topLeft(), r.bottomRight());
    fill.setColorAt(0, Amber.lighter(108));
    fill.setColorAt(1, AmberDeep);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(r.translated(0, r.height() * 0.04), r.width() * 0.24, r.width() * 0.24);
    p.setBrush(fill);
    p.drawRoundedRect(r, r.width() * 0.24, r.width() * 0.24);
    const qreal s = r.width();
    QPainterPath z;
    z.moveTo(r.left() + s * 0.26, r.top() + s * 0.26);
    z.lineTo(r.left() + s * 0.74, r.top() + s * 0.26);
    z.lineTo(r.left() + s * 0.28, r.top() + s * 0.74);
    z.lineTo(r.left() + s * 0.76, r.top() + s * 0.74);
    p.setPen(QPen(AmberInk, s * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(z);
    p.restore();
}

} // namespace

std::vector<SkinLayout> SkinPainter::Specs()
{
    return {
        {QStringLiteral("abre.png"), QStringLiteral("abreon.png"), QSize(640, 480), {SplashStart}},
        {QStringLiteral("rodape.png"),
         QStringLiteral("rodapeon.png"),
         QSize(630, 39),
         {std::begin(FooterZones), std::end(FooterZones)}},
        {QStringLiteral("simul.png"), QStringLiteral("simulon.png"), QSize(TopBarWidth, 117), {TopBarStart}},
        {QStringLiteral("botoes.png"),
         QStringLiteral("botoeson.png"),
         QSize(198, AnswerColumnHeight),
         {std::begin(ColumnZones), std::end(ColumnZones)}},
    };
}

QImage SkinPainter::Paint(std::size_t index, bool pressed, int scale)
{
    switch (index) {
    case 0:
        return Splash(pressed, scale);
    case 1:
        return Footer(pressed, scale);
    case 2:
        return TopBar(pressed, scale);
    default:
        return AnswerColumn(pressed, scale);
    }
}

QImage SkinPainter::Splash(bool pressed, int scale)
{
    QImage image = blank(640, 480, scale);
    const QRect area(0, 0, 640, 480);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient sky(0, 0, 640, 480);
    sky.setColorAt(0, Night);
    sky.setColorAt(0.55, DarkBlue);
    sky.setColorAt(1, QColor(62, 84, 150));
    p.fillRect(area, sky);

    // Soft light from the upper right and a few rings for depth.
    QRadialGradient glow(QPointF(560, 60), 360);
    glow.setColorAt(0, QColor(255, 255, 255, 38));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(area, glow);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 22 - i * 4), 2));
        p.drawEllipse(QPointF(590, 70), 90 + i * 55, 90 + i * 55);
    }

    drawMark(p, QRectF(56, 62, 80, 80));
    drawTextAt(p, QPointF(156, 128), QStringLiteral("Zelvora"), uiFont(62), Qt::white);
    drawTextAt(p, QPointF(58, 186), QStringLiteral("Provas anteriores e simulados para concursos públicos"),
               uiFont(19, false), SoftBlue);
    p.fillRect(QRectF(58, 206, 52, 4), Amber);

    struct Feature {
        Icon icon;
        const char16_t* text;
    };
    const Feature features[] = {
        {Icon::Search, u"Catálogo de provas por cargo, organização e ano"},
        {Icon::Copy, u"Copie o material completo de cada exame"},
        {Icon::Clock, u"Simulados cronometrados, com correção na hora"},
    };
    qreal y = 236;
    for (const Feature& feature : features) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 30));
        p.drawEllipse(QRectF(58, y, 36, 36));
        drawIcon(p, feature.icon, QRectF(67, y + 9, 18, 18), Amber);
        drawTextAt(p, QPointF(108, y + 24), QString::fromUtf16(feature.text), uiFont(17, false), Qt::white);
        y += 50;
    }

    drawTextAt(p, QPointF(164, 448), QStringLiteral("Clique em Entrar para começar"), uiFont(15, false), SoftBlue);
    QFont small = uiFont(12, false);
    const QString version = QStringLiteral("versão 0.1  •  dados de exemplo");
    drawTextAt(p, QPointF(624 - QFontMetricsF(small).horizontalAdvance(version), 468), version, small, MutedBlue);

    // The start button, whole inside its hot zone with its four corners
    // rounded: a button reaching past the window's edge reads as cut off.
    ButtonLook look{Gold, Icon::Enter, 22, 12, true, false};
    drawButton(p, QRectF(SplashButtonLeft + 0.5, 412.5, 130, 56), QStringLiteral("Entrar"), look, pressed);
    return image;
}

QImage SkinPainter::Footer(bool pressed, int scale)
{
    QImage image = blank(630, 39, scale);
    const QRect area(0, 0, 630, 39);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient bar(0, 0, 0, 39);
    bar.setColorAt(0, QColor(62, 76, 126));
    bar.setColorAt(0.5, DarkBlue);
    bar.setColorAt(1, QColor(41, 52, 92));
    p.fillRect(area, bar);
    p.fillRect(QRect(0, 0, 630, 1), QColor(255, 255, 255, 40));

    const struct {
        const char16_t* text;
        Icon icon;
        const Tone* tone;
    } buttons[] = {
        {u"Localizar", Icon::Search, &Steel}, {u"Copiar", Icon::Copy, &Steel}, {u"Créditos", Icon::Info, &Steel},
        {u"Simulado", Icon::Clock, &Gold},    {u"Sair", Icon::Exit, &Brick},
    };
    for (int i = 0; i < 5; ++i) {
        // Inside the zone with a 3-pixel margin; the zones reach below the
        // 39-pixel picture, so the button is centred in the visible part.
        const QRect zone = FooterZones[i];
        const int right = std::min(zone.right(), 629);
        const QRectF face(zone.left() + 3.5, 5.5, right - zone.left() - 6, 28);
        ButtonLook look{*buttons[i].tone, buttons[i].icon, 13, 5};
        drawButton(p, face, QString::fromUtf16(buttons[i].text), look, pressed);
    }
    drawMark(p, QRectF(448, 10, 19, 19));
    drawTextAt(p, QPointF(473, 25), QStringLiteral("Zelvora"), uiFont(15), QColor(214, 222, 245));
    return image;
}

QImage SkinPainter::TopBar(bool pressed, int scale)
{
    QImage image = blank(TopBarWidth, 117, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient band(0, 0, 0, 74);
    band.setColorAt(0, Night);
    band.setColorAt(1, QColor(38, 48, 88));
    p.fillRect(QRect(0, 0, TopBarWidth, 74), band);
    p.fillRect(QRect(0, 74, TopBarWidth, 43), DarkBlue);
    p.fillRect(QRect(0, 74, TopBarWidth, 1), QColor(78, 94, 150));
    p.fillRect(QRect(0, 114, TopBarWidth, 2), Amber);

    drawMark(p, QRectF(16, 15, 44, 44));
    const QFont brand = uiFont(30);
    drawTextAt(p, QPointF(72, 49), QStringLiteral("Zelvora"), brand, Qt::white);
    const qreal after = 72 + QFontMetricsF(brand).horizontalAdvance(QStringLiteral("Zelvora")) + 16;
    p.fillRect(QRectF(after, 24, 1, 28), QColor(255, 255, 255, 70));
    drawTextAt(p, QPointF(after + 16, 35), QStringLiteral("Simulados"), uiFont(15), Amber);
    drawTextAt(p, QPointF(after + 16, 53), QStringLiteral("Treine com provas anteriores, no tempo de prova"),
               uiFont(13, false), SoftBlue);

    drawTextAt(p, QPointF(952, 103), QStringLiteral("Escolha a prova e clique em Iniciar"), uiFont(12, false),
               MutedBlue);

    ButtonLook look{Gold, Icon::Play, 15, 6};
    drawButton(p, QRectF(TopBarStart).adjusted(2.5, 2.5, -2.5, -5.5), QStringLiteral("Iniciar"), look, pressed);
    return image;
}

QImage SkinPainter::AnswerColumn(bool pressed, int scale)
{
    QImage image = blank(198, AnswerColumnHeight, scale);
    const QRect area(0, 0, 198, AnswerColumnHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(area, ColumnBlue);

    // Header behind the question label and selector.
    QLinearGradient header(0, 0, 0, 41);
    header.setColorAt(0, QColor(30, 49, 92));
    header.setColorAt(1, QColor(33, 54, 100));
    p.fillRect(QRect(0, 0, 198, 41), header);
    p.fillRect(QRect(0, 41, 198, 1), QColor(64, 94, 150));

    const ButtonLook next{Steel, Icon::Next, 11, 4, true, false, 0.8};
    const ButtonLook previous{Steel, Icon::Previous, 11, 4, false, false, 0.8};
    const ButtonLook finish{Gold, Icon::Check, 13, 5};
    const ButtonLook leave{Brick, Icon::Exit, 13, 5};
    drawButton(p, QRectF(ColumnZones[0]).adjusted(2.5, 2.5, -2.5, -3.5), QStringLiteral("Próxima"), next, pressed);
    drawButton(p, QRectF(ColumnZones[1]).adjusted(2.5, 2.5, -2.5, -3.5), QStringLiteral("Anterior"), previous, pressed);
    drawButton(p, QRectF(ColumnZones[2]).adjusted(2.5, 2.5, -2.5, -3.5), QStringLiteral("Finalizar"), finish, pressed);
    drawButton(p, QRectF(ColumnZones[3]).adjusted(2.5, 2.5, -2.5, -3.5), QStringLiteral("Sair"), leave, pressed);

    p.fillRect(QRect(8, 182, 182, 1), QColor(64, 94, 150));
    p.setFont(uiFont(11, false));
    p.setPen(SoftBlue);
    p.drawText(QRectF(9, 192, 180, 120), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("Escolha a questão na lista ou avance com Próxima e Anterior. "
                              "Marque a alternativa em Resposta: a questão respondida ganha um OK na lista.\n\n"
                              "Finalizar mostra os acertos, o tempo de prova e as questões certas e erradas."));
    return image;
}

} // namespace zelvora::sampledata
