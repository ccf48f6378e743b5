// The hot-zone control: which mouse gestures click, the order of click and
// mouse-up, enter and leave, and a disabled zone. Driven through the window
// so that Qt's mouse grab works as it does for a real mouse.
#include "app/TFocusImage.h"

#include <QtTest>

using zelvora::gui::TFocusImage;

class TestHotZones : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void gestures_data();
    void gestures();
    void disabledZoneGetsNothing();
    void clickComesBeforeMouseUp();
    void enterAndLeave();
    void handCursor();

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
    QTest::newRow("left, dragged onto the next zone")
        << left << inside << neighbour << QStringList{"down1", "up1"};
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

QTEST_MAIN(TestHotZones)
#include "tst_hotzones.moc"
