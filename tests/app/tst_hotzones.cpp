// The hot-zone control: which mouse gestures click, the order of click and
// mouse-up, enter and leave, and a disabled zone. Driven through the window
// so that Qt's mouse grab works as it does for a real mouse.
#include "app/ClickableLabel.h"
#include "app/HotZoneAccessible.h"
#include "app/TFocusImage.h"

#include <QAccessible>
#include <QtTest>

using zelvora::gui::ClickableLabel;
using zelvora::gui::TFocusImage;

class TestHotZones : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void gestures_data();
    void gestures();
    void disabledZoneGetsNothing();
    void clickComesBeforeMouseUp();
    void enterAndLeave();
    void handCursor();
    void keys_data();
    void keys();
    void focusLostWhileKeyHeld();
    void shortcutPressesAndShowsInTooltip();
    void focusMarkOnlyFromTheKeyboard();
    void accessibleButton_data();
    void accessibleButton();

private:
    QWidget* m_window = nullptr;
    TFocusImage* m_zone = nullptr;
    TFocusImage* m_neighbour = nullptr;
    QStringList m_events;
    void record(TFocusImage* zone, const QString& name);
};

void TestHotZones::record(TFocusImage* zone, const QString& prefix)
{
    connect(zone, &TFocusImage::OnClick, this, [this, prefix] { m_events << prefix + "click"; });
    connect(zone, &TFocusImage::OnMouseDown, this, [this, prefix](TFocusImage*, Qt::MouseButton b) {
        m_events << prefix + QStringLiteral("down%1").arg(int(b));
    });
    connect(zone, &TFocusImage::OnMouseUp, this, [this, prefix](TFocusImage*, Qt::MouseButton b) {
        m_events << prefix + QStringLiteral("up%1").arg(int(b));
    });
    connect(zone, &TFocusImage::OnMouseEnter, this, [this, prefix] { m_events << prefix + "enter"; });
    connect(zone, &TFocusImage::OnMouseLeave, this, [this, prefix] { m_events << prefix + "leave"; });
}

void TestHotZones::initTestCase()
{
    // As the application does before any window exists.
    zelvora::gui::HotZoneAccessible::Install();
}

void TestHotZones::init()
{
    m_events.clear();
    m_window = new QWidget;
    m_window->setFixedSize(300, 200);
    m_zone = new TFocusImage(QRect(20, 30, 100, 40), m_window);
    m_neighbour = new TFocusImage(QRect(120, 30, 100, 40), m_window);
    record(m_zone, QString());
    record(m_neighbour, QStringLiteral("n:"));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_events.clear();
}

void TestHotZones::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void TestHotZones::gestures_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<QStringList>("expected");
    const QPoint inside(70, 50), otherCorner(119, 69), neighbour(150, 50), outside(250, 150);
    const int left = int(Qt::LeftButton), right = int(Qt::RightButton), middle = int(Qt::MiddleButton);
    QTest::newRow("left click") << left << inside << inside << QStringList{"down1", "click", "up1"};
    QTest::newRow("left, released at the zone's last pixel")
        << left << inside << otherCorner << QStringList{"down1", "click", "up1"};
    QTest::newRow("left, dragged off") << left << inside << outside << QStringList{"down1", "up1"};
    QTest::newRow("left, dragged onto the next zone") << left << inside << neighbour << QStringList{"down1", "up1"};
    QTest::newRow("right") << right << inside << inside << QStringList{"down2", "up2"};
    QTest::newRow("right, dragged off") << right << inside << outside << QStringList{"down2", "up2"};
    QTest::newRow("middle") << middle << inside << inside << QStringList{"down4", "up4"};
    QTest::newRow("pressed beside the zone") << left << QPoint(10, 50) << inside << QStringList{};
}

void TestHotZones::gestures()
{
    QFETCH(int, button);
    QFETCH(QPoint, press);
    QFETCH(QPoint, release);
    QFETCH(QStringList, expected);
    QWindow* w = m_window->windowHandle();
    const auto b = Qt::MouseButton(button);
    QTest::mousePress(w, b, {}, press);
    QTest::mouseMove(w, release);
    QTest::mouseRelease(w, b, {}, release);
    m_events.removeAll(QStringLiteral("enter"));
    m_events.removeAll(QStringLiteral("leave"));
    m_events.removeAll(QStringLiteral("n:enter"));
    m_events.removeAll(QStringLiteral("n:leave"));
    QCOMPARE(m_events, expected);
}

void TestHotZones::disabledZoneGetsNothing()
{
    m_zone->setEnabled(false);
    QWindow* w = m_window->windowHandle();
    for (const auto b : {Qt::LeftButton, Qt::RightButton}) {
        QTest::mousePress(w, b, {}, QPoint(70, 50));
        QTest::mouseRelease(w, b, {}, QPoint(70, 50));
    }
    QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(70, 50));
    QCOMPARE(m_events, QStringList{});
    // Enabled again, it works as before.
    m_zone->setEnabled(true);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(70, 50));
    QVERIFY(m_events.contains(QStringLiteral("click")));
}

void TestHotZones::clickComesBeforeMouseUp()
{
    // Whatever the click does runs while the zone is still pressed, and a
    // double click is two presses, each with its own click.
    QTest::mouseDClick(m_window->windowHandle(), Qt::LeftButton, {}, QPoint(30, 40));
    QStringList clicksAndUps;
    for (const QString& e : m_events)
        if (e == "click" || e == "up1" || e == "down1")
            clicksAndUps << e;
    QCOMPARE(clicksAndUps, (QStringList{"down1", "click", "up1", "down1", "click", "up1"}));
}

void TestHotZones::enterAndLeave()
{
    QWindow* w = m_window->windowHandle();
    QTest::mouseMove(w, QPoint(5, 5));
    QTest::mouseMove(w, QPoint(70, 50));
    QTest::mouseMove(w, QPoint(150, 50));
    QTest::mouseMove(w, QPoint(250, 150));
    QCOMPARE(m_events, (QStringList{"enter", "leave", "n:enter", "n:leave"}));
}

void TestHotZones::handCursor()
{
    QCOMPARE(m_zone->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(m_zone->geometry(), QRect(20, 30, 100, 40));
}

// Keys pressed and released on a zone that has the focus: Enter and Space
// give the same three signals as a left click; other keys, or Enter with a
// modifier, give none; a disabled zone gets none.
void TestHotZones::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("expected");
    const QStringList click{"down1", "click", "up1"};
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier) << true << click;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true << click;
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << true << click;
    QTest::newRow("Shift+Return") << int(Qt::Key_Return) << int(Qt::ShiftModifier) << true << QStringList{};
    QTest::newRow("letter") << int(Qt::Key_A) << int(Qt::NoModifier) << true << QStringList{};
    QTest::newRow("disabled") << int(Qt::Key_Space) << int(Qt::NoModifier) << false << QStringList{};
}

void TestHotZones::keys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, enabled);
    QFETCH(QStringList, expected);
    m_zone->setFocus(Qt::TabFocusReason);
    m_zone->setEnabled(enabled);
    QTest::keyPress(m_zone, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    // Held down: the pressed look only.
    QCOMPARE(m_events, expected.mid(0, 1));
    QTest::keyRelease(m_zone, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(m_events, expected);
}

void TestHotZones::focusLostWhileKeyHeld()
{
    m_zone->setFocus(Qt::TabFocusReason);
    QTest::keyPress(m_zone, Qt::Key_Space);
    m_neighbour->setFocus(Qt::TabFocusReason);
    QTest::keyRelease(m_neighbour, Qt::Key_Space);
    QCOMPARE(m_events, (QStringList{"down1", "up1"}));
}

void TestHotZones::shortcutPressesAndShowsInTooltip()
{
    m_zone->setText(QStringLiteral("Copiar"));
    m_zone->setShortcut(QKeySequence(Qt::ALT | Qt::Key_C));
    QCOMPARE(m_zone->shownToolTip(), QStringLiteral("Copiar (Alt+C)"));
    m_zone->setToolTip(QStringLiteral("Copie o exame selecionado"));
    QCOMPARE(m_zone->shownToolTip(), QStringLiteral("Copie o exame selecionado (Alt+C)"));
    // The hint itself stays as it is.
    QCOMPARE(m_zone->toolTip(), QStringLiteral("Copie o exame selecionado"));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QTest::keyClick(m_window, Qt::Key_C, Qt::AltModifier);
    QCOMPARE(m_events, (QStringList{"down1", "click", "up1"}));
}

// The mark appears when Tab brings the focus, not when the window hands it
// over on activation, and it changes what the zone shows.
void TestHotZones::focusMarkOnlyFromTheKeyboard()
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    const QImage before = m_window->grab(m_zone->geometry()).toImage();
    m_zone->setFocus(Qt::ActiveWindowFocusReason);
    QVERIFY(!m_zone->focusMarkShown());
    m_neighbour->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_window, Qt::Key_Backtab, Qt::ShiftModifier);
    QTRY_VERIFY(m_zone->hasFocus());
    QVERIFY(m_zone->focusMarkShown());
    QVERIFY(m_window->grab(m_zone->geometry()).toImage() != before);
    QTest::keyClick(m_window, Qt::Key_Tab);
    QTRY_VERIFY(m_neighbour->hasFocus());
    QVERIFY(!m_zone->focusMarkShown());
}

// What a screen reader is told about an image button and a clickable label,
// and that its press action clicks.
void TestHotZones::accessibleButton_data()
{
    QTest::addColumn<bool>("label");
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<QString>("expectedName");
    QTest::newRow("image button, named by its text") << false << QString() << QStringLiteral("Simulado");
    QTest::newRow("image button with an accessible name") << false << QStringLiteral("Fim") << QStringLiteral("Fim");
    QTest::newRow("clickable label, named by its text") << true << QString() << QStringLiteral("OK");
    QTest::newRow("clickable label with an accessible name")
        << true << QStringLiteral("Fechar") << QStringLiteral("Fechar");
}

void TestHotZones::accessibleButton()
{
    QFETCH(bool, label);
    QFETCH(QString, accessibleName);
    QFETCH(QString, expectedName);
    zelvora::gui::HotZoneAccessible::Install();
    int clicks = 0;
    QWidget* control = nullptr;
    if (label) {
        auto* l = new ClickableLabel(QStringLiteral("OK"), m_window);
        connect(l, &ClickableLabel::clicked, this, [&clicks] { ++clicks; });
        control = l;
    } else {
        m_zone->setText(QStringLiteral("Simulado"));
        connect(m_zone, &TFocusImage::OnClick, this, [&clicks] { ++clicks; });
        control = m_zone;
    }
    control->setToolTip(QStringLiteral("Dica"));
    control->setAccessibleName(accessibleName);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control);
    QVERIFY(a);
    QCOMPARE(a->role(), QAccessible::Button);
    QCOMPARE(a->text(QAccessible::Name), expectedName);
    QCOMPARE(a->text(QAccessible::Description), QStringLiteral("Dica"));
    QAccessibleActionInterface* actions = a->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(clicks, 1);
}

QTEST_MAIN(TestHotZones)
#include "tst_hotzones.moc"
