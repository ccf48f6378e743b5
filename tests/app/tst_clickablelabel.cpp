// The clickable label: which mouse gestures click, and that its presses never
// reach the widgets below it. Driven through the window so that Qt's mouse
// grab works as it does for a real mouse.
#include "app/ClickableLabel.h"

#include <QtTest>

using zelvora::gui::ClickableLabel;

class TestClickableLabel : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void gestures_data();
    void gestures();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QWidget* m_window = nullptr;
    ClickableLabel* m_label = nullptr;
    int m_clicks = 0;
    int m_windowPresses = 0;
};

bool TestClickableLabel::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_window && (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick))
        ++m_windowPresses;
    return false;
}

void TestClickableLabel::init()
{
    m_clicks = 0;
    m_window = new QWidget;
    m_window->setFixedSize(300, 200);
    m_window->installEventFilter(this);
    m_label = new ClickableLabel(QStringLiteral("OK"), m_window);
    m_label->setGeometry(20, 30, 100, 40);
    connect(m_label, &ClickableLabel::clicked, this, [this] { ++m_clicks; });
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_windowPresses = 0;
}

void TestClickableLabel::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void TestClickableLabel::gestures_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<bool>("twice");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("windowPresses");
    const QPoint inside(70, 50), lastPixel(119, 69), outside(250, 150);
    const int left = int(Qt::LeftButton), right = int(Qt::RightButton), middle = int(Qt::MiddleButton);
    QTest::newRow("left click") << left << inside << inside << false << 1 << 0;
    QTest::newRow("left, released at the last pixel") << left << inside << lastPixel << false << 1 << 0;
    QTest::newRow("left, dragged off") << left << inside << outside << false << 0 << 0;
    QTest::newRow("left double click") << left << inside << inside << true << 2 << 0;
    QTest::newRow("right") << right << inside << inside << false << 0 << 0;
    QTest::newRow("middle") << middle << inside << inside << false << 0 << 0;
    QTest::newRow("pressed beside, released on it") << left << QPoint(10, 50) << inside << false << 0 << 1;
}

void TestClickableLabel::gestures()
{
    QFETCH(int, button);
    QFETCH(QPoint, press);
    QFETCH(QPoint, release);
    QFETCH(bool, twice);
    QFETCH(int, clicks);
    QFETCH(int, windowPresses);
    QWindow* w = m_window->windowHandle();
    const auto b = Qt::MouseButton(button);
    if (twice) {
        QTest::mouseDClick(w, b, {}, press);
    } else {
        QTest::mousePress(w, b, {}, press);
        QTest::mouseMove(w, release);
        QTest::mouseRelease(w, b, {}, release);
    }
    QCOMPARE(m_clicks, clicks);
    QCOMPARE(m_windowPresses, windowPresses);
    QCOMPARE(m_label->cursor().shape(), Qt::PointingHandCursor);
}

QTEST_MAIN(TestClickableLabel)
#include "tst_clickablelabel.moc"
