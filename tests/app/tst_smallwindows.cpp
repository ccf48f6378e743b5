// The splash, wait and credits windows: their frames and captions, the
// splash's start zone and press effect, and the credits picture that closes
// its window.
#include "app/ImageView.h"
#include "app/TFocusImage.h"
#include "app/TformAbre.h"
#include "app/TformAguarde.h"
#include "app/TformCreditos.h"
#include "FindControl.h"
#include "ModalHelper.h"
#include "support/RecordingMessages.h"
#include "TestImages.h"

#include <QFrame>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

using namespace zelvora::app;
using namespace zelvora::gui;

class TestSmallWindows : public QObject {
    Q_OBJECT
private slots:
    void init();
    void frames_data();
    void frames();
    void centredWhenShown_data();
    void centredWhenShown();
    void splashPressEffect();
    void splashDisabledStartShowsNothing();
    void splashClicksOutsideStartDoNothing_data();
    void splashClicksOutsideStartDoNothing();
    void splashStartCloses_data();
    void splashStartCloses();
    void splashWithoutSkins();
    void splashClosesByKey_data();
    void splashClosesByKey();
    void waitBanner();
    void creditsPicture();
    void creditsClosesOnAnyClick_data();
    void creditsClosesOnAnyClick();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    RecordingMessages m_messages;
    AppContext m_ctx;
    void writeSplashSkins();
};

void TestSmallWindows::init()
{
    m_messages.clear();
    m_ctx = AppContext{};
    m_ctx.messages = &m_messages;
    m_dir = std::make_unique<QTemporaryDir>();
    m_ctx.dataFolder = m_dir->path() + QStringLiteral("/dados/");
    QDir().mkpath(m_ctx.dataFolder);
}

void TestSmallWindows::writeSplashSkins()
{
    QVERIFY(WritePattern(m_ctx.dataFolder + "abre.png", {640, 480}, 1));
    QVERIFY(WritePattern(m_ctx.dataFolder + "abreon.png", {640, 480}, 2));
}

static std::unique_ptr<QDialog> MakeWindow(const QString& which, AppContext& ctx)
{
    if (which == "abre") {
        auto w = std::make_unique<TformAbre>(ctx);
        w->FormCreate();
        return w;
    }
    if (which == "aguarde") {
        auto w = std::make_unique<TformAguarde>(ctx);
        w->FormCreate();
        return w;
    }
    auto w = std::make_unique<TformCreditos>(ctx);
    w->FormCreate();
    return w;
}

void TestSmallWindows::frames_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QSize>("clientSize");
    QTest::addColumn<QString>("caption");
    QTest::newRow("splash") << "abre" << QSize(640, 480) << "Zelvora";
    QTest::newRow("wait") << "aguarde" << QSize(337, 79) << "Zelvora";
    QTest::newRow("credits") << "creditos" << QSize(385, 215) << "Créditos";
}

void TestSmallWindows::frames()
{
    QFETCH(QString, which);
    QFETCH(QSize, clientSize);
    QFETCH(QString, caption);
    m_ctx.title = QStringLiteral("Zelvora");
    auto w = MakeWindow(which, m_ctx);
    QCOMPARE(w->windowTitle(), caption);
    QCOMPARE(w->size(), clientSize);
    // Fixed size: the user cannot resize it.
    QCOMPARE(w->minimumSize(), clientSize);
    QCOMPARE(w->maximumSize(), clientSize);
    const Qt::WindowFlags f = w->windowFlags();
    QVERIFY(f.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(f.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!f.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!f.testFlag(Qt::WindowMinimizeButtonHint));
    QCOMPARE(w->windowType(), Qt::Dialog);
    QVERIFY(m_messages.texts.isEmpty());
}

void TestSmallWindows::centredWhenShown_data()
{
    frames_data();
}

void TestSmallWindows::centredWhenShown()
{
    QFETCH(QString, which);
    auto w = MakeWindow(which, m_ctx);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    for (int showing = 0; showing < 2; ++showing) {
        w->move(3, 3);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        // Until a window manager has framed the window its frame is not
        // known, and then the client area is what stands in the middle.
        const QPoint frameOff = w->frameGeometry().center() - screen.center();
        const QPoint clientOff = w->geometry().center() - screen.center();
        QVERIFY2(std::min(frameOff.manhattanLength(), clientOff.manhattanLength()) <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(frameOff.x()).arg(frameOff.y())));
        w->hide();
    }
}

void TestSmallWindows::splashPressEffect()
{
    writeSplashSkins();
    TformAbre abre(m_ctx);
    abre.FormCreate();
    abre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&abre));
    const QImage normal = PatternImage({640, 480}, 1);
    const QImage pressed = PatternImage({640, 480}, 2);
    QCOMPARE(Control<ImageView>(&abre, "imFundo")->picture(), normal);
    QCOMPARE(Control<TFocusImage>(&abre, "btInicio")->geometry(), QRect(0, 404, 146, 73));

    const QRect zone(0, 404, 146, 73);
    QWindow* w = abre.windowHandle();
    QTest::mousePress(w, Qt::RightButton, {}, QPoint(70, 440));
    QCOMPARE(Region(Control<ImageView>(&abre, "imFundo")->picture(), zone), Region(pressed, zone));
    // Outside the zone the picture is untouched.
    QCOMPARE(Region(Control<ImageView>(&abre, "imFundo")->picture(), QRect(146, 0, 494, 480)),
             Region(normal, QRect(146, 0, 494, 480)));
    QTest::mouseRelease(w, Qt::RightButton, {}, QPoint(70, 440));
    QCOMPARE(Control<ImageView>(&abre, "imFundo")->picture(), normal);
    QVERIFY(abre.isVisible());
    // The skin files stay as loaded.
    QCOMPARE(abre.skin().pressed(), pressed);
    QCOMPARE(abre.skin().normal(), normal);
}

void TestSmallWindows::splashDisabledStartShowsNothing()
{
    writeSplashSkins();
    TformAbre abre(m_ctx);
    abre.FormCreate();
    Control<TFocusImage>(&abre, "btInicio")->setEnabled(false);
    abre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&abre));
    QWindow* w = abre.windowHandle();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(70, 440));
    QCOMPARE(Control<ImageView>(&abre, "imFundo")->picture(), PatternImage({640, 480}, 1));
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(70, 440));
    QVERIFY(abre.isVisible());
    QCOMPARE(Control<ImageView>(&abre, "imFundo")->picture(), PatternImage({640, 480}, 1));
}

void TestSmallWindows::splashClicksOutsideStartDoNothing_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::newRow("centre") << QPoint(320, 240);
    QTest::newRow("right of the start zone") << QPoint(146, 440);
    QTest::newRow("above the start zone") << QPoint(70, 403);
    QTest::newRow("below the start zone") << QPoint(70, 477);
    QTest::newRow("top left") << QPoint(0, 0);
}

void TestSmallWindows::splashClicksOutsideStartDoNothing()
{
    QFETCH(QPoint, at);
    writeSplashSkins();
    TformAbre abre(m_ctx);
    abre.FormCreate();
    abre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&abre));
    QTest::mouseClick(abre.windowHandle(), Qt::LeftButton, {}, at);
    QVERIFY(abre.isVisible());
    QCOMPARE(Control<ImageView>(&abre, "imFundo")->picture(), PatternImage({640, 480}, 1));
}

void TestSmallWindows::splashStartCloses_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::newRow("middle of the start zone") << QPoint(73, 440);
    QTest::newRow("top left pixel") << QPoint(0, 404);
    QTest::newRow("bottom right pixel") << QPoint(145, 476);
}

void TestSmallWindows::splashStartCloses()
{
    QFETCH(QPoint, at);
    writeSplashSkins();
    TformAbre abre(m_ctx);
    abre.FormCreate();
    int result = -1;
    WhenShown closer(&abre, [&] { QTest::mouseClick(abre.windowHandle(), Qt::LeftButton, {}, at); });
    result = abre.exec();
    QCOMPARE(closer.timesShown, 1);
    QCOMPARE(result, int(QDialog::Rejected));
    QVERIFY(!abre.isVisible());
    // The press effect ran and was undone before the window went.
    QCOMPARE(Control<ImageView>(&abre, "imFundo")->picture(), PatternImage({640, 480}, 1));
}

// Enter closes the splash as the start button does, whether or not the
// button has the focus, with its press effect undone; Escape closes it too.
void TestSmallWindows::splashClosesByKey_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("buttonFocused");
    QTest::newRow("Enter, start button focused") << int(Qt::Key_Return) << true;
    QTest::newRow("Enter, no control focused") << int(Qt::Key_Return) << false;
    QTest::newRow("Space on the start button") << int(Qt::Key_Space) << true;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
}

void TestSmallWindows::splashClosesByKey()
{
    QFETCH(int, key);
    QFETCH(bool, buttonFocused);
    writeSplashSkins();
    TformAbre abre(m_ctx);
    abre.FormCreate();
    auto* start = Control<QWidget>(&abre, "btInicio");
    WhenShown closer(&abre, [&] {
        if (buttonFocused)
            start->setFocus(Qt::TabFocusReason);
        else
            start->clearFocus();
        QTest::keyClick(buttonFocused ? start : static_cast<QWidget*>(&abre), Qt::Key(key));
    });
    abre.exec();
    QCOMPARE(closer.timesShown, 1);
    QVERIFY(!abre.isVisible());
    QCOMPARE(Control<ImageView>(&abre, "imFundo")->picture(), PatternImage({640, 480}, 1));
}

void TestSmallWindows::splashWithoutSkins()
{
    // No skin files: an empty background, no message, and the invisible
    // start zone still works at its place.
    TformAbre abre(m_ctx);
    abre.FormCreate();
    QVERIFY(Control<ImageView>(&abre, "imFundo")->picture().isNull());
    bool openAfterOtherClicks = false;
    WhenShown closer(&abre, [&] {
        QTest::mouseClick(abre.windowHandle(), Qt::RightButton, {}, QPoint(70, 440));
        QTest::mouseClick(abre.windowHandle(), Qt::LeftButton, {}, QPoint(320, 100));
        openAfterOtherClicks = abre.isVisible();
        QTest::mouseClick(abre.windowHandle(), Qt::LeftButton, {}, QPoint(70, 440));
    });
    abre.exec();
    QVERIFY(openAfterOtherClicks);
    QVERIFY(!abre.isVisible());
    QVERIFY(Control<ImageView>(&abre, "imFundo")->picture().isNull());
    QVERIFY(m_messages.texts.isEmpty());
}

void TestSmallWindows::waitBanner()
{
    TformAguarde aguarde(m_ctx);
    aguarde.FormCreate();
    // Drawn by the program itself, 342 x 79, shown from the top-left corner
    // so its 5 rightmost columns fall outside the window.
    QCOMPARE(Control<ImageView>(&aguarde, "imAguarde")->picture().size(), QSize(342, 79));
    QCOMPARE(Control<ImageView>(&aguarde, "imAguarde")->geometry(), QRect(0, 0, 342, 79));
    QCOMPARE(aguarde.width(), 337);
    // Shown without blocking.
    aguarde.show();
    QVERIFY(aguarde.isVisible());
    QVERIFY(!aguarde.isModal());
    const QImage shot = aguarde.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.size(), QSize(337, 79));
    QCOMPARE(shot.pixel(10, 10), Control<ImageView>(&aguarde, "imAguarde")->picture().pixel(10, 10));
    aguarde.close();
}

void TestSmallWindows::creditsPicture()
{
    TformCreditos creditos(m_ctx);
    creditos.FormCreate();
    QCOMPARE(Control<ImageView>(&creditos, "imageLogoMini")->picture().size(), QSize(383, 230));
    QCOMPARE(Control<ImageView>(&creditos, "imageLogoMini")->geometry(), QRect(1, 1, 383, 213));
    QCOMPARE(Control<ImageView>(&creditos, "imageLogoMini")->parentWidget(),
             Control<QFrame>(&creditos, "panelCreditos"));
    QCOMPARE(Control<QFrame>(&creditos, "panelCreditos")->geometry(), QRect(0, 0, 385, 215));
    QCOMPARE(Control<QFrame>(&creditos, "panelCreditos")->palette().color(QPalette::Window), QColor(50, 63, 108));
}

void TestSmallWindows::creditsClosesOnAnyClick_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::newRow("centre") << QPoint(192, 107);
    QTest::newRow("top left of the picture") << QPoint(1, 1);
    QTest::newRow("bottom right of the picture") << QPoint(383, 213);
}

void TestSmallWindows::creditsClosesOnAnyClick()
{
    QFETCH(QPoint, at);
    TformCreditos creditos(m_ctx);
    creditos.FormCreate();
    const QImage before = creditos.grab().toImage();
    bool modal = false, openAfterRightClick = false;
    WhenShown closer(&creditos, [&] {
        modal = QApplication::activeModalWidget() == &creditos;
        // A right click does not close it.
        QTest::mouseClick(creditos.windowHandle(), Qt::RightButton, {}, at);
        openAfterRightClick = creditos.isVisible();
        QTest::mouseClick(creditos.windowHandle(), Qt::LeftButton, {}, at);
    });
    // Opened twice in a row: the same window, closed the same way each time.
    for (int time = 1; time <= 2; ++time) {
        modal = openAfterRightClick = false;
        creditos.exec();
        QVERIFY(modal);
        QVERIFY(openAfterRightClick);
        QCOMPARE(closer.timesShown, time);
        QVERIFY(!creditos.isVisible());
        QCOMPARE(creditos.grab().toImage(), before);
    }
}

QTEST_MAIN(TestSmallWindows)
#include "tst_smallwindows.moc"
