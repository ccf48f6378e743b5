// The paper follows the question: the real viewer, offscreen, scrolls to the
// place the map gives; the map is found once per paper and kept in the
// store; the user's own place, set by a right click, wins; a paper without
// a map never scrolls.
#include "attempts/AttemptStore.h"
#include "attempts/QuestionStore.h"
#include "mockexam/PaperNavigator.h"
#include "mockexam/TPdfViewer.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFont>
#include <QMenu>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfView>
#include <QPdfWriter>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvora;
using zelvora::gui::PaperNavigator;
using zelvora::gui::TPdfViewer;

namespace {

// Three pages, two questions on each ("1." at y 100 and "2." at y 450 of
// page 0, ...), or plain text without any number.
void WritePaper(const QString& path, bool numbered)
{
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter(&writer);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(11);
    painter.setFont(font);
    int n = 1;
    for (int page = 0; page < 3; ++page) {
        if (page > 0)
            writer.newPage();
        for (const double y : {100.0, 450.0}) {
            const QString head = numbered ? QStringLiteral("%1. ").arg(n++) : QString();
            painter.drawText(QRectF(56, y, 500, 20), Qt::AlignLeft | Qt::AlignTop,
                             head + QStringLiteral("Assinale a alternativa correta."));
            painter.drawText(QRectF(56, y + 14, 500, 20), Qt::AlignLeft | Qt::AlignTop,
                             QStringLiteral("texto da questão"));
        }
    }
}

} // namespace

class TestPaperNavigator : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void choosingAQuestionScrollsToIt_data();
    void choosingAQuestionScrollsToIt();
    void scrollingByHandChangesNothing();
    void rightClickSetsThePlace();
    void mapIsKeptOncePerPaper();
    void paperWithoutMapStaysPut();
};

void TestPaperNavigator::choosingAQuestionScrollsToIt_data()
{
    QTest::addColumn<int>("question"); // 0-based
    QTest::addColumn<int>("page");
    QTest::addColumn<double>("y");
    QTest::newRow("first") << 0 << 0 << 100.0;
    QTest::newRow("second, lower on the page") << 1 << 0 << 450.0;
    QTest::newRow("on the last page") << 4 << 2 << 100.0;
    QTest::newRow("back to the third") << 2 << 1 << 100.0;
}

void TestPaperNavigator::choosingAQuestionScrollsToIt()
{
    QFETCH(int, question);
    QFETCH(int, page);
    QFETCH(double, y);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("p.pdf"));
    WritePaper(pdf, true);
    TPdfViewer viewer;
    viewer.resize(700, 500);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QVERIFY(viewer.LoadFile(pdf));
    PaperNavigator navigator(&viewer);
    navigator.paperStarted(pdf, 6, 0);
    QVERIFY(navigator.loader().waitUntilReady(20000));
    navigator.questionChosen(question);
    const TPdfViewer::Place shown = viewer.shownPlace();
    QCOMPARE(shown.page, page);
    // The glyphs' top stands a little below the line's top.
    QVERIFY2(shown.y >= y - 1 && shown.y <= y + 5, qPrintable(QString::number(shown.y)));
    QVERIFY(viewer.accessibleDescription().startsWith(QStringLiteral("Página %1, y ").arg(page + 1)));
}

void TestPaperNavigator::scrollingByHandChangesNothing()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("p.pdf"));
    WritePaper(pdf, true);
    TPdfViewer viewer;
    viewer.resize(700, 500);
    viewer.show();
    QVERIFY(viewer.LoadFile(pdf));
    PaperNavigator navigator(&viewer);
    navigator.paperStarted(pdf, 6, 2);
    QVERIFY(navigator.loader().waitUntilReady(20000));
    QCOMPARE(viewer.shownPlace().page, 1); // question 3 came into view when the map arrived
    QScrollBar* bar = viewer.view()->verticalScrollBar();
    bar->setValue(bar->maximum());
    QCOMPARE(viewer.shownPlace().page, 2);
    // The menu still names the question being answered, not the one in view.
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(100, 100),
                            viewer.view()->viewport()->mapToGlobal(QPoint(100, 100)));
    QApplication::sendEvent(viewer.view()->viewport(), &click);
    auto* menu = viewer.findChild<QMenu*>(QStringLiteral("menuQuestao"));
    QVERIFY(menu);
    QCOMPARE(menu->actions().value(0)->text(), QStringLiteral("A questão 3 começa aqui"));
    menu->close();
}

void TestPaperNavigator::rightClickSetsThePlace()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("p.pdf"));
    WritePaper(pdf, true);
    attempts::AttemptStore store(dir.filePath(QStringLiteral("a.sqlite")));
    QVERIFY(store.open());
    TPdfViewer viewer;
    viewer.resize(700, 500);
    viewer.show();
    QVERIFY(viewer.LoadFile(pdf));
    PaperNavigator navigator(&viewer);
    navigator.loader().setStore(&store);
    navigator.paperStarted(pdf, 6, 0);
    QVERIFY(navigator.loader().waitUntilReady(20000));
    navigator.questionChosen(3);
    const TPdfViewer::Place clicked = viewer.placeAt(QPoint(50, 300));
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(50, 300),
                            viewer.view()->viewport()->mapToGlobal(QPoint(50, 300)));
    QApplication::sendEvent(viewer.view()->viewport(), &click);
    auto* menu = viewer.findChild<QMenu*>(QStringLiteral("menuQuestao"));
    QVERIFY(menu);
    QCOMPARE(menu->actions().value(0)->text(), QStringLiteral("A questão 4 começa aqui"));
    menu->actions().value(0)->trigger();
    const auto place = navigator.loader().map().placeOf(4);
    QVERIFY(place);
    QCOMPARE(place->page, clicked.page);
    QCOMPARE(place->y, clicked.y);
    // Kept for the paper: the store has it, and going away and back uses it.
    QCOMPARE(*attempts::QuestionStore(store).placeOf(navigator.loader().paperHash(), 4), *place);
    navigator.questionChosen(0);
    navigator.questionChosen(3);
    QCOMPARE(viewer.shownPlace().page, clicked.page);
    QVERIFY(std::abs(viewer.shownPlace().y - clicked.y) < 1.5);
}

void TestPaperNavigator::mapIsKeptOncePerPaper()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("p.pdf"));
    WritePaper(pdf, true);
    attempts::AttemptStore store(dir.filePath(QStringLiteral("a.sqlite")));
    QVERIFY(store.open());
    QString hash;
    {
        mockexam::PaperMapLoader loader;
        loader.setStore(&store);
        loader.load(pdf, 6);
        QVERIFY(loader.waitUntilReady(20000));
        QCOMPARE(loader.map().places().size(), std::size_t(6));
        hash = loader.paperHash();
    }
    attempts::QuestionStore questions(store);
    QVERIFY(questions.isMapped(hash));
    // What the store holds is what the next loader uses, searched no more:
    // a place changed in the store comes back as it is.
    QVERIFY(questions.saveFound(hash, {{1, 2, 77}}));
    mockexam::PaperMapLoader loader;
    loader.setStore(&store);
    loader.load(pdf, 6);
    QVERIFY(loader.waitUntilReady(20000));
    QCOMPARE(loader.map().places().size(), std::size_t(1));
    QCOMPARE(loader.map().placeOf(1)->y, 77.0);
}

void TestPaperNavigator::paperWithoutMapStaysPut()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("p.pdf"));
    WritePaper(pdf, false);
    TPdfViewer viewer;
    viewer.resize(700, 500);
    viewer.show();
    QVERIFY(viewer.LoadFile(pdf));
    PaperNavigator navigator(&viewer);
    navigator.paperStarted(pdf, 6, 0);
    QVERIFY(navigator.loader().waitUntilReady(20000));
    QVERIFY(navigator.loader().map().empty());
    for (int q : {4, 1, 5})
        navigator.questionChosen(q);
    QCOMPARE(viewer.view()->verticalScrollBar()->value(), 0);
}

QTEST_MAIN(TestPaperNavigator)
#include "tst_PaperNavigator.moc"
