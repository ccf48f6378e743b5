// Removing one's own material from the windows' context menus: only what the
// user added, and only after a yes.
#include "catalog/Catalog.h"
#include "support/RecordingMessages.h"
#include "usermaterial/CatalogAdditions.h"
#include "usermaterial/PaperAdditions.h"
#include "usermaterial/UserMaterial.h"
#include "zipwriter/ZipWriter.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvora;

class AdditionsTest : public QObject {
    Q_OBJECT
private slots:
    void removeOnlyOwnAfterYes_data();
    void removeOnlyOwnAfterYes();
    void paperButtonPlaceAndFixedFolder();
};

void AdditionsTest::removeOnlyOwnAfterYes_data()
{
    QTest::addColumn<size_t>("source");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("removed");

    QTest::newRow("own, yes") << size_t(0) << true << true << true;
    QTest::newRow("own, no") << size_t(0) << false << true << false;
    QTest::newRow("installed") << size_t(1) << true << false << false;
}

void AdditionsTest::removeOnlyOwnAfterYes()
{
    QFETCH(size_t, source);
    QFETCH(bool, yes);
    QFETCH(bool, enabled);
    QFETCH(bool, removed);
    QTemporaryDir dir;
    const QString user = dir.filePath("user/"), zipPath = dir.filePath("e.zip"), pdf = dir.filePath("p.pdf");
    zipwriter::ZipWriter zip;
    zip.addFile("a.txt", "a");
    QVERIFY(zip.writeTo(zipPath.toStdString()));
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write("%PDF") == 4);
    f.close();
    usermaterial::UserMaterial store(user);
    const auto exam = store.addExam(zipPath, "O", "T", "2001");
    const auto paper = store.addPaper(pdf, "P", {"1"});
    QVERIFY(exam && paper);

    app::AppContext ctx;
    RecordingMessages boxes;
    boxes.answer = yes;
    ctx.messages = &boxes;
    ctx.sources = {{user.toStdString(), true}, {dir.filePath("installed/").toStdString(), false}};
    ctx.userFolder = user;
    QWidget window;
    QTableView grid(&window);
    QComboBox selector(&window);
    int reloads = 0;
    const catalog::CatalogEntry entry{"O", "T", "2001", "O-T-2001.zip", source};
    catalog::Catalog empty;
    gui::CatalogAdditions exams(
        ctx, &window, &grid,
        {[&]() -> const catalog::Catalog& { return empty; }, [&] { return entry; }, [&](const auto&) { ++reloads; }});
    gui::PaperAdditions papers(ctx, &window, &window, &selector,
                               {[&] {
                                    return mockexam::MockExamEntry{"P", "P.pdf", source};
                                },
                                [&](const auto&) { ++reloads; }});

    std::unique_ptr<QMenu> examMenu(exams.buildMenu(&window)), paperMenu(papers.buildMenu(&window));
    QCOMPARE(examMenu->findChild<QAction*>("actionRemoverExame")->isEnabled(), enabled);
    QCOMPARE(paperMenu->findChild<QAction*>("actionRemoverProva")->isEnabled(), enabled);
    exams.removeSelected();
    papers.removeSelected();
    QCOMPARE(boxes.questions.size(), enabled ? 2 : 0);
    QCOMPARE(boxes.texts.size(), enabled ? 0 : 2);
    QCOMPARE(QFile::exists(user + "O-T-2001.zip"), !removed);
    QCOMPARE(QFile::exists(user + "simu/P.pdf"), !removed);
    QCOMPARE(reloads, removed ? 2 : 0);
}

void AdditionsTest::paperButtonPlaceAndFixedFolder()
{
    app::AppContext ctx;
    QWidget window;
    QComboBox selector(&window);
    gui::PaperAdditions fixed(ctx, &window, &window, &selector, {[] { return std::nullopt; }, [](const auto&) {}});
    QCOMPARE(fixed.button()->geometry().topLeft(), QPoint(790, 80));
    QCOMPARE(fixed.button()->height(), 36);
    QVERIFY(!fixed.button()->isEnabled()); // no user folder: a fixed --dados folder
}

QTEST_MAIN(AdditionsTest)
#include "tst_Additions.moc"
