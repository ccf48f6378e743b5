// The skin loader and skin pairs: what a skin file gives, and that every kind
// of bad file is swallowed and leaves an empty bitmap.
#include "app/ImageView.h"
#include "app/LoadSkinImage.h"
#include "app/SkinReader.h"
#include "support/HazardFile.h"
#include "TestImages.h"
#include "text/DataFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

using zelvora::app::LoadSkinImage;
using zelvora::app::SkinPair;

class TestSkinImages : public QObject {
    Q_OBJECT
private slots:
    void loadsPictures_data();
    void loadsPictures();
    void badFiles_data();
    void badFiles();
    void pairLoadsBothFiles_data();
    void pairLoadsBothFiles();
    void loadedBitmapCanBeDrawnOn();
    void hazardsLeaveTheBitmapEmpty_data();
    void hazardsLeaveTheBitmapEmpty();
    void picturesFarTooLargeAreRefused_data();
    void picturesFarTooLargeAreRefused();
    void highResolutionTwin_data();
    void highResolutionTwin();
    void pressEffectInLogicalPixels_data();
    void pressEffectInLogicalPixels();

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
};

static QByteArray PngBytes(const QImage& img)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "png");
    return bytes;
}

static void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void TestSkinImages::loadsPictures_data()
{
    QTest::addColumn<QImage>("picture");
    QTest::newRow("24-bit colour") << PatternImage({630, 39}, 1);
    QImage palette = PatternImage({64, 20}, 2).convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    QTest::newRow("palette") << palette;
    QTest::newRow("one pixel") << PatternImage({1, 1}, 3);
    QImage gray(17, 5, QImage::Format_Grayscale8);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 17; ++x)
            gray.setPixel(x, y, qRgb(x * 15, x * 15, x * 15));
    QTest::newRow("grey scale") << gray;
}

void TestSkinImages::loadsPictures()
{
    QFETCH(QImage, picture);
    const QString file = path(QStringLiteral("skin.png"));
    WriteBytes(file, PngBytes(picture));
    QImage bitmap;
    QVERIFY(LoadSkinImage(bitmap, file));
    QCOMPARE(bitmap.size(), picture.size());
    // Every pixel comes through with its colour, palette pictures included.
    QCOMPARE(bitmap.convertToFormat(QImage::Format_RGB32), picture.convertToFormat(QImage::Format_RGB32));
}

void TestSkinImages::badFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // null: no file at all
    const QByteArray png = PngBytes(PatternImage({200, 120}, 4));
    QByteArray bmp;
    {
        QBuffer buf(&bmp);
        buf.open(QIODevice::WriteOnly);
        PatternImage({8, 8}, 5).save(&buf, "bmp");
    }
    QTest::newRow("missing") << "missing.png" << QByteArray();
    QTest::newRow("empty") << "empty.png" << QByteArray("");
    QTest::newRow("signature only") << "sig.png" << png.left(8);
    QTest::newRow("truncated header") << "trunchead.png" << png.left(20);
    QTest::newRow("cut before the image data") << "cut.png" << png.left(40);
    QTest::newRow("cut inside the image data") << "half.png" << png.left(png.size() / 2);
    QTest::newRow("no end chunk") << "noend.png" << png.left(png.size() - 12);
    QTest::newRow("text") << "text.png" << QByteArray("this is not a picture\n");
    QTest::newRow("bitmap named png") << "bmp.png" << bmp;
    QByteArray badCrc = png;
    badCrc[29] = char(badCrc[29] ^ 0x55); // inside the IHDR chunk
    QTest::newRow("damaged header") << "crc.png" << badCrc;
}

void TestSkinImages::badFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    const QString file = path(name);
    if (!content.isNull())
        WriteBytes(file, content);
    QImage bitmap;
    QVERIFY(!LoadSkinImage(bitmap, file));
    QVERIFY(bitmap.isNull());
}

void TestSkinImages::pairLoadsBothFiles_data()
{
    QTest::addColumn<bool>("withNormal");
    QTest::addColumn<bool>("withPressed");
    QTest::newRow("both") << true << true;
    QTest::newRow("pressed missing") << true << false;
    QTest::newRow("normal missing") << false << true;
    QTest::newRow("neither") << false << false;
}

void TestSkinImages::pairLoadsBothFiles()
{
    QFETCH(bool, withNormal);
    QFETCH(bool, withPressed);
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    if (withNormal)
        QVERIFY(WritePattern(folder + "rodape.png", {30, 10}, 1));
    if (withPressed)
        QVERIFY(WritePattern(folder + "rodapeon.png", {30, 10}, 2));
    // A directory in the way of a name is just one more unreadable file.
    QVERIFY(QDir(folder).mkpath(QStringLiteral("abre.png")));

    SkinPair pair;
    pair.load(folder, QStringLiteral("rodape"));
    QCOMPARE(pair.normal().isNull(), !withNormal);
    QCOMPARE(pair.pressed().isNull(), !withPressed);
    if (withNormal)
        QCOMPARE(pair.normal(), PatternImage({30, 10}, 1));
    if (withPressed)
        QCOMPARE(pair.pressed(), PatternImage({30, 10}, 2));

    SkinPair splash;
    splash.load(folder, QStringLiteral("abre"));
    QVERIFY(splash.normal().isNull());
    QVERIFY(splash.pressed().isNull());
}

void TestSkinImages::loadedBitmapCanBeDrawnOn()
{
    // The press effect paints into a copy of the loaded bitmap, so even a
    // palette picture must come out in a format a painter can draw into.
    const QString file = path(QStringLiteral("pal.png"));
    WriteBytes(file, PngBytes(PatternImage({16, 16}, 6).convertToFormat(QImage::Format_Indexed8)));
    QImage bitmap;
    QVERIFY(LoadSkinImage(bitmap, file));
    QImage copy = bitmap;
    QPainter p(&copy);
    QVERIFY(p.isActive());
    p.fillRect(QRect(0, 0, 4, 4), Qt::red);
    p.end();
    QCOMPARE(copy.pixelColor(1, 1), QColor(Qt::red));
    QCOMPARE(bitmap.pixel(5, 5), copy.pixel(5, 5));
}

void TestSkinImages::hazardsLeaveTheBitmapEmpty_data()
{
    QTest::addColumn<int>("hazard");
    for (const Hazard h : AllHazards)
        QTest::newRow(HazardName(h)) << int(h);
}

void TestSkinImages::hazardsLeaveTheBitmapEmpty()
{
    QFETCH(int, hazard);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("simul.png"));
    QVERIFY(MakeHazard(Hazard(hazard), file, qint64(zelvora::text::DataFile::SkinCap),
                       PngBytes(PatternImage({40, 10}, 7))));
    const PipeGuard guard(file);
    QImage bitmap;
    QVERIFY(!LoadSkinImage(bitmap, file));
    QVERIFY2(!guard.fired(), "the skin loader waited on a pipe");
    QVERIFY(bitmap.isNull());
}

void TestSkinImages::picturesFarTooLargeAreRefused_data()
{
    // One-bit pictures, so that even the largest costs the test little.
    using zelvora::app::SkinReader;
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("loads");
    QTest::newRow("as wide as allowed") << QSize(SkinReader::MaxSide, 1) << true;
    QTest::newRow("one pixel wider") << QSize(SkinReader::MaxSide + 1, 1) << false;
    QTest::newRow("one pixel higher") << QSize(1, SkinReader::MaxSide + 1) << false;
    QTest::newRow("the whole pixel budget") << QSize(4096, int(SkinReader::MaxPixels / 4096)) << true;
    QTest::newRow("one row over the budget") << QSize(4096, int(SkinReader::MaxPixels / 4096) + 1) << false;
    QTest::newRow("5600 x 5600") << QSize(5600, 5600) << false;
}

void TestSkinImages::picturesFarTooLargeAreRefused()
{
    QFETCH(QSize, size);
    QFETCH(bool, loads);
    QImage picture(size, QImage::Format_Mono);
    picture.fill(1);
    const QString file = path(QStringLiteral("big.png"));
    WriteBytes(file, PngBytes(picture));
    QImage bitmap;
    QCOMPARE(LoadSkinImage(bitmap, file), loads);
    QCOMPARE(bitmap.size(), loads ? size : QSize(0, 0));
}

// Which picture is loaded for a screen with the given device pixel ratio:
// the "@2x" twin only on a HiDPI screen and only when it is exactly twice
// the normal picture; it then keeps the normal picture's logical size.
void TestSkinImages::highResolutionTwin_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QSize>("twinSize"); // empty: no twin file
    QTest::addColumn<bool>("normalExists");
    QTest::addColumn<bool>("twinUsed");
    QTest::addColumn<bool>("loaded");
    QTest::newRow("HiDPI with twin") << 2.0 << QSize(60, 40) << true << true << true;
    QTest::newRow("ratio 1.5 with twin") << 1.5 << QSize(60, 40) << true << true << true;
    QTest::newRow("normal screen ignores the twin") << 1.0 << QSize(60, 40) << true << false << true;
    QTest::newRow("HiDPI without twin") << 2.0 << QSize() << true << false << true;
    QTest::newRow("twin of the wrong size") << 2.0 << QSize(61, 40) << true << false << true;
    QTest::newRow("twin without normal file") << 2.0 << QSize(60, 40) << false << false << false;
}

void TestSkinImages::highResolutionTwin()
{
    QFETCH(qreal, ratio);
    QFETCH(QSize, twinSize);
    QFETCH(bool, normalExists);
    QFETCH(bool, twinUsed);
    QFETCH(bool, loaded);
    QTemporaryDir dir;
    const QString normal = dir.filePath(QStringLiteral("rodape.png"));
    QCOMPARE(zelvora::app::HighResolutionTwin(normal), dir.filePath(QStringLiteral("rodape@2x.png")));
    const QImage small = PatternImage({30, 20}, 5);
    const QImage large = PatternImage(twinSize.isEmpty() ? QSize(1, 1) : twinSize, 6);
    if (normalExists)
        QVERIFY(small.save(normal, "png"));
    if (!twinSize.isEmpty())
        QVERIFY(large.save(dir.filePath(QStringLiteral("rodape@2x.png")), "png"));

    QImage bitmap;
    QCOMPARE(LoadSkinImage(bitmap, normal, ratio), loaded);
    if (!loaded) {
        QVERIFY(bitmap.isNull());
        return;
    }
    QImage expected = twinUsed ? large : small;
    expected.setDevicePixelRatio(bitmap.devicePixelRatio());
    QCOMPARE(bitmap.convertToFormat(QImage::Format_RGB32), expected);
    QCOMPARE(bitmap.devicePixelRatio(), twinUsed ? 2.0 : 1.0);
    QCOMPARE(bitmap.deviceIndependentSize(), QSizeF(30, 20));
}

// A press copies the hot zone's rectangle, given in logical pixels, from the
// pressed picture: on "@2x" pictures that is twice as many device pixels, at
// twice the place, and nothing else changes.
void TestSkinImages::pressEffectInLogicalPixels_data()
{
    QTest::addColumn<int>("ratio");
    QTest::newRow("normal pictures") << 1;
    QTest::newRow("@2x pictures") << 2;
}

void TestSkinImages::pressEffectInLogicalPixels()
{
    QFETCH(int, ratio);
    QImage normal = PatternImage(QSize(60, 40) * ratio, 1);
    QImage pressed = PatternImage(QSize(60, 40) * ratio, 2);
    normal.setDevicePixelRatio(ratio);
    pressed.setDevicePixelRatio(ratio);
    zelvora::gui::ImageView view;
    view.setPicture([normal] { return normal; });
    const QRect zone(10, 5, 20, 12);
    view.copyRect(pressed, zone);
    const QRect device(zone.topLeft() * ratio, zone.size() * ratio);
    const QImage shown = view.picture().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(Region(shown, device), Region(pressed, device));
    QImage outside = shown;
    QPainter(&outside).fillRect(QRectF(zone), Qt::black);
    QImage expectedOutside = normal.convertToFormat(QImage::Format_RGB32);
    QPainter(&expectedOutside).fillRect(QRectF(zone), Qt::black);
    QCOMPARE(outside, expectedOutside);
    view.copyRect(normal, zone);
    QCOMPARE(view.picture().convertToFormat(QImage::Format_RGB32), normal.convertToFormat(QImage::Format_RGB32));
}

QTEST_MAIN(TestSkinImages)
#include "tst_skinimages.moc"
