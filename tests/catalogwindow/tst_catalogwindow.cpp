// The catalog window driven through its real widgets: the first year shown
// at creation, the three filter lists, the search panel and search, the grid
// and rowArchives row for row, the column-width rule, the skinned footer with
// its press effect, the credits and mock-exam buttons, exit, and the splash
// shown once.
#include "app/AnsiText.h"
#include "app/FindControl.h"
#include "app/ImageView.h"
#include "app/ModalHelper.h"
#include "app/RecordingMessageBoxes.h"
#include "app/TestImages.h"
#include "app/TFocusImage.h"
#include "app/TformAbre.h"
#include "app/TformCreditos.h"
#include "app/WindowWiring.h"
#include "catalog/ExamCopy.h"
#include "catalog/ExamCopyDialog.h"
#include "catalog/CatalogGridModel.h"
#include "catalog/TformMain.h"
#include "mockexam/TformSimul.h"
#include "text/PtBrCollation.h"
#include "text/Windows1252.h"

#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

using namespace zelvora;
using namespace zelvora::gui;

namespace {

// Catalog used by most tests. Years "2008" and "12008" show the substring
// rule; organisations "FCC" and "FCC SP" likewise.
const QStringList kLines = {
    "CESPE#Analista Judiciário#2008#c01.zip",
    "CESPE#Técnico Judiciário#2007#c02.zip",
    "FCC#Analista#2007#c03.zip",
    "FCC#Técnico#2008#c04.zip",
    "FCC SP#Auditor#2006#c05.zip",
    "FGV#Fiscal#2008#c06.zip",
    "Vunesp#Escrevente Técnico#2007#c07.zip",
    "Fundação Ósasco#Agente#12008#c08.zip",
};

const QSize kFooterSkin(630, 39);

// While it lives, the exam copy's save dialog is cancelled as soon as it
// shows (a click on btCopiar or a double click in the grid opens it).
class CancelCopyDialog {
public:
    explicit CancelCopyDialog(TformMain* w)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this, w] {
            if (w->examCopy().dialog().isVisible()) {
                ++shown;
                w->examCopy().dialog().reject();
            }
        });
        m_timer.start();
    }
    int shown = 0;

private:
    QTimer m_timer;
};

} // namespace

class TestCatalogWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void creationShowsGreatestYear();
    void listsAreSorted();
    void layout_data();
    void layout();
    void labelsFitBesideTheirControls();
    void filters_data();
    void filters();
    void selectionByProgramFiltersNothing();
    void search_data();
    void search();
    void searchByOkLabel();
    void searchPanelToggle();
    void columnWidthRule_data();
    void columnWidthRule();
    void emptyCatalog();
    void hugeFieldsShownCut();
    void selectedRowFollowsGrid();
    void pressEffectRestoresNormalPixels();
    void dragOffAndRightButtonDoNotClick();
    void creditsButtonStaysPressedWhileOpen();
    void mockExamButtonShowsWindowWithoutWaiting();
    void exitButtonClosesWindow();
    void splashShownOnce_data();
    void splashShownOnce();
    void allSkinsMissing();
    void tabOrder();
    void keysPressFooterButtons_data();
    void keysPressFooterButtons();
    void emptySearchLeavesNoHighlightedRow();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_dataFolder;
    RecordingMessageBoxes m_messages;
    text::PtBrCollation m_collation;
    app::AppContext m_ctx;
    std::unique_ptr<TformMain> m_main;
    std::unique_ptr<TformCreditos> m_creditos;
    std::unique_ptr<TformAbre> m_abre;
    std::unique_ptr<TformSimul> m_simul;

    void writeCatalog(const QStringList& lines);
    void writeFooterSkins();
    TformMain* makeMain(bool show = true);
    QStringList inCatalogOrder(QStringList archives) const;
    QStringList shownArchives() const;
    void checkGridMatchesRowArchives() const;
    void pick(QComboBox* list, const QString& text);
    void clickZone(TFocusImage* zone, Qt::MouseButton button = Qt::LeftButton);
    void search(const QString& term);
};

void TestCatalogWindow::init()
{
    // The user's own data folder is read too: never the real one.
    QStandardPaths::setTestModeEnabled(true);
    m_dir = std::make_unique<QTemporaryDir>();
    m_dataFolder = m_dir->path() + QStringLiteral("/dados/");
    QVERIFY(QDir().mkpath(m_dataFolder));
    m_messages.shown.clear();
    m_ctx = app::AppContext{};
    m_ctx.executablePath = m_dir->path() + QStringLiteral("/zelvora");
    m_ctx.messages = &m_messages;
    m_ctx.collation = &m_collation;
}

void TestCatalogWindow::cleanup()
{
    m_main.reset();
    m_abre.reset();
    m_creditos.reset();
    m_simul.reset();
    m_dir.reset();
}

void TestCatalogWindow::writeCatalog(const QStringList& lines)
{
    QFile f(m_dataFolder + QStringLiteral("nomes.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    const std::string bytes = text::Utf8ToCp1252(lines.join(QStringLiteral("\r\n")).toStdString());
    f.write(bytes.data(), qint64(bytes.size()));
}

void TestCatalogWindow::writeFooterSkins()
{
    QVERIFY(WritePattern(m_dataFolder + "rodape.png", kFooterSkin, 1));
    QVERIFY(WritePattern(m_dataFolder + "rodapeon.png", kFooterSkin, 2));
}

TformMain* TestCatalogWindow::makeMain(bool show)
{
    m_main = std::make_unique<TformMain>(m_ctx);
    m_main->FormCreate();
    if (show) {
        m_main->show();
        if (!QTest::qWaitForWindowExposed(m_main.get()))
            return nullptr;
    }
    return m_main.get();
}

QStringList TestCatalogWindow::inCatalogOrder(QStringList archives) const
{
    const auto position = [this](const QString& archive) {
        const auto& entries = m_main->catalog().entries();
        for (size_t i = 0; i < entries.size(); ++i)
            if (QString::fromStdString(entries[i].archiveName) == archive)
                return i;
        return entries.size();
    };
    std::stable_sort(archives.begin(), archives.end(),
                     [&](const QString& a, const QString& b) { return position(a) < position(b); });
    return archives;
}

QStringList TestCatalogWindow::shownArchives() const
{
    QStringList out;
    for (const std::string& a : m_main->rowArchives())
        out << QString::fromStdString(a);
    return out;
}

// Every grid row shows the entry whose archive rowArchives holds for it.
void TestCatalogWindow::checkGridMatchesRowArchives() const
{
    const auto& archives = m_main->rowArchives();
    QCOMPARE(m_main->gridRowCount(), std::max<int>(1, int(archives.size())));
    for (size_t row = 0; row < archives.size(); ++row) {
        const auto& entries = m_main->catalog().entries();
        const auto it = std::find_if(entries.begin(), entries.end(),
                                     [&](const auto& e) { return e.archiveName == archives[row]; });
        QVERIFY(it != entries.end());
        QCOMPARE(m_main->cellText(int(row), 0), app::FromAnsi(it->examType));
        QCOMPARE(m_main->cellText(int(row), 1), app::FromAnsi(it->organisation));
        QCOMPARE(m_main->cellText(int(row), 2), app::FromAnsi(it->year));
    }
    if (archives.empty())
        for (int column = 0; column < 3; ++column)
            QCOMPARE(m_main->cellText(0, column), QString());
}

// Picks an item the way a user does: open the list, move to the item, Enter.
void TestCatalogWindow::pick(QComboBox* list, const QString& text)
{
    const int index = list->findText(text, Qt::MatchExactly);
    QVERIFY2(index >= 0, qPrintable(text));
    QSignalSpy activated(list, &QComboBox::activated);
    list->showPopup();
    list->view()->setCurrentIndex(list->model()->index(index, 0));
    QTest::keyClick(list->view(), Qt::Key_Return);
    QCOMPARE(activated.count(), 1);
    QCOMPARE(list->currentIndex(), index);
}

void TestCatalogWindow::clickZone(TFocusImage* zone, Qt::MouseButton button)
{
    const QPoint at = zone->mapTo(zone->window(), zone->rect().center());
    QTest::mouseClick(zone->window()->windowHandle(), button, {}, at);
}

void TestCatalogWindow::search(const QString& term)
{
    if (m_main->searchPanelHidden())
        clickZone(Control<TFocusImage>(m_main.get(), "btLocalizar"));
    Control<QLineEdit>(m_main.get(), "editLocalizar")->setText(term);
    QTest::keyClick(Control<QLineEdit>(m_main.get(), "editLocalizar"), Qt::Key_Return);
}

void TestCatalogWindow::creationShowsGreatestYear()
{
    writeCatalog(kLines);
    TformMain* w = makeMain(false);
    QCOMPARE(w->windowTitle(), QStringLiteral("  Zelvora"));
    QCOMPARE(m_ctx.dataFolder, m_dataFolder);
    QCOMPARE(m_ctx.mockExamFolder, m_dataFolder + QStringLiteral("simu/"));
    QCOMPARE(Control<QComboBox>(w, "comboAno")->currentText(), QStringLiteral("2008"));
    QCOMPARE(Control<QComboBox>(w, "comboProva")->currentIndex(), -1);
    QCOMPARE(Control<QComboBox>(w, "comboOrg")->currentIndex(), -1);
    QCOMPARE(shownArchives(), inCatalogOrder({"c01.zip", "c04.zip", "c06.zip", "c08.zip"}));
    checkGridMatchesRowArchives();
    QVERIFY(w->searchPanelHidden());
    QVERIFY(Control<QFrame>(w, "panelLocaliza")->isHidden());
    QVERIFY(m_messages.shown.isEmpty());
}

void TestCatalogWindow::listsAreSorted()
{
    // Letter case ignored, accents not; of two spellings the list keeps the
    // one of the entry that comes first in the catalog ("ALFA#Tipo#1999"
    // sorts before "Alfa#tipo#2003").
    writeCatalog({"beta#Tipo#2001#1.zip", "Alfa#tipo#2003#2.zip", "ágil#TIPO B#2002#3.zip", "ALFA#Tipo#1999#4.zip",
                  "abc#Tipo#2000#5.zip"});
    TformMain* w = makeMain(false);
    const auto items = [](QComboBox* c) {
        QStringList out;
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
        return out;
    };
    QCOMPARE(items(Control<QComboBox>(w, "comboOrg")), (QStringList{"abc", "ágil", "ALFA", "beta"}));
    QCOMPARE(items(Control<QComboBox>(w, "comboProva")), (QStringList{"Tipo", "TIPO B"}));
    QCOMPARE(items(Control<QComboBox>(w, "comboAno")), (QStringList{"1999", "2000", "2001", "2002", "2003"}));
    QCOMPARE(Control<QComboBox>(w, "comboAno")->currentText(), QStringLiteral("2003"));
}

void TestCatalogWindow::layout_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("place"); // width or height 0: not checked
    QTest::addColumn<int>("fontPixels");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("hint");
    QTest::newRow("panelLogo") << "panelLogo" << QRect(0, 0, 632, 161) << 0 << false << "";
    QTest::newRow("labelProva") << "labelProva" << QRect(19, 94, 0, 0) << 16 << true << "";
    QTest::newRow("labelOrg") << "labelOrg" << QRect(19, 126, 0, 0) << 16 << true << "";
    QTest::newRow("labelAno") << "labelAno" << QRect(477, 126, 0, 0) << 16 << true << "";
    QTest::newRow("comboProva") << "comboProva" << QRect(133, 91, 465, 0) << 11 << false
                                << "Clique aqui e escolha um tipo de prova para o cargo pretendido";
    QTest::newRow("comboOrg") << "comboOrg" << QRect(228, 123, 241, 0) << 11 << false
                              << "Exibe somente as provas de uma determinada organização";
    QTest::newRow("comboAno") << "comboAno" << QRect(517, 123, 81, 0) << 11 << false
                              << "Veja os exames de um ano específico";
    QTest::newRow("panelMaster") << "panelMaster" << QRect(0, 161, 632, 244) << 0 << false << "";
    QTest::newRow("pTitle") << "pTitle" << QRect(0, 0, 632, 28) << 0 << false << "";
    QTest::newRow("Panel1") << "Panel1" << QRect(0, 0, 337, 28) << 16 << true << "";
    QTest::newRow("Panel2") << "Panel2" << QRect(337, 0, 226, 28) << 16 << true << "";
    QTest::newRow("Panel3") << "Panel3" << QRect(563, 0, 69, 28) << 16 << true << "";
    QTest::newRow("gridProvas") << "gridProvas" << QRect(0, 28, 632, 216) << 13 << false << "";
    QTest::newRow("panelLocaliza") << "panelLocaliza" << QRect(0, 217, 632, 27) << 0 << false << "";
    QTest::newRow("labelLocaliza") << "labelLocaliza" << QRect(10, 7, 0, 0) << 12 << true << "";
    QTest::newRow("editLocalizar") << "editLocalizar" << QRect(200, 3, 269, 0) << 0 << false << "";
    QTest::newRow("buttonOK") << "buttonOK" << QRect(473, 3, 0, 0) << 21 << true << "";
    QTest::newRow("panelButtons") << "panelButtons" << QRect(0, 405, 632, 41) << 0 << false << "";
    QTest::newRow("imRodape") << "imRodape" << QRect(1, 1, 630, 39) << 0 << false << "";
    QTest::newRow("btLocalizar") << "btLocalizar" << QRect(3, 4, 108, 37) << 0 << false
                                 << "Procure por provas específicas";
    QTest::newRow("btCopiar") << "btCopiar" << QRect(110, 4, 105, 37) << 0 << false << "Copie o exame selecionado";
    QTest::newRow("btCreditos") << "btCreditos" << QRect(214, 4, 105, 37) << 0 << false << "";
    QTest::newRow("btSimulado") << "btSimulado" << QRect(318, 4, 105, 37) << 0 << false
                                << "Clique aqui e faça simulados das provas";
    QTest::newRow("btSair") << "btSair" << QRect(560, 4, 71, 37) << 0 << false << "";
}

void TestCatalogWindow::layout()
{
    QFETCH(QString, control);
    QFETCH(QRect, place);
    QFETCH(int, fontPixels);
    QFETCH(bool, bold);
    QFETCH(QString, hint);
    writeCatalog({});
    TformMain* w = makeMain();
    QVERIFY(w);
    QCOMPARE(w->size(), QSize(632, 446));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QVERIFY(!w->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(w->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

    QWidget* c = Control(w, control);
    const QRect g = c->geometry();
    QCOMPARE(g.topLeft(), place.topLeft());
    if (place.width())
        QCOMPARE(g.width(), place.width());
    if (place.height())
        QCOMPARE(g.height(), place.height());
    // Nothing sticks out of its parent, so no text is clipped by it.
    QVERIFY(c->parentWidget()->rect().contains(g) || control == "btSair" || control == "btLocalizar");
    if (fontPixels) {
        QCOMPARE(c->font().pixelSize(), fontPixels);
        QCOMPARE(c->font().bold(), bold);
        QCOMPARE(QFontInfo(c->font()).family(), QStringLiteral("Liberation Sans"));
    }
    if (auto* label = qobject_cast<QLabel*>(c); label && control.startsWith("label")) {
        // A label is as wide as its text.
        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
    }
    QCOMPARE(c->toolTip(), hint);
    // Text stays readable: white on the dark blue, dark on the text boxes.
    if (control.startsWith("label") || control == "buttonOK" || control.startsWith("Panel"))
        QCOMPARE(c->palette().color(QPalette::WindowText), QColor(Qt::white));
    if (control.startsWith("combo") || control == "editLocalizar") {
        QCOMPARE(c->palette().color(QPalette::Text), QApplication::palette(c).color(QPalette::Text));
        QCOMPARE(c->palette().color(QPalette::Base), QApplication::palette(c).color(QPalette::Base));
    }
}

void TestCatalogWindow::labelsFitBesideTheirControls()
{
    // Each label ends before the control it names begins, so no text is
    // hidden under a list or a box; "OK" ends inside the window.
    writeCatalog(kLines);
    TformMain* w = makeMain();
    QVERIFY(w);
    const std::pair<QLabel*, QWidget*> pairs[] = {
        {Control<QLabel>(w, "labelProva"), Control<QComboBox>(w, "comboProva")},
        {Control<QLabel>(w, "labelOrg"), Control<QComboBox>(w, "comboOrg")},
        {Control<QLabel>(w, "labelAno"), Control<QComboBox>(w, "comboAno")},
        {Control<QLabel>(w, "labelLocaliza"), Control<QLineEdit>(w, "editLocalizar")}};
    for (const auto& [label, control] : pairs) {
        const int textEnd = label->x() + label->fontMetrics().horizontalAdvance(label->text());
        QVERIFY2(textEnd < control->x(), qPrintable(label->text()));
        QVERIFY(label->y() + label->fontMetrics().height() <= label->parentWidget()->height());
    }
    QVERIFY(Control<QLabel>(w, "buttonOK")->geometry().right() < 632);
    QVERIFY(Control<QLabel>(w, "buttonOK")->geometry().bottom() < 27);
    // The title captions fit their panels at both widths.
    for (QLabel* title : {Control<QLabel>(w, "Panel1"), Control<QLabel>(w, "Panel2"), Control<QLabel>(w, "Panel3")})
        QVERIFY(title->fontMetrics().horizontalAdvance(title->text()) < title->width() - 4);
}

void TestCatalogWindow::filters_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("type inside longer types") << "comboProva"
                                              << "Analista" << QStringList{"c01.zip", "c03.zip"};
    QTest::newRow("type with accent") << "comboProva"
                                      << "Técnico" << QStringList{"c02.zip", "c04.zip", "c07.zip"};
    QTest::newRow("organisation inside a longer one") << "comboOrg"
                                                      << "FCC" << QStringList{"c03.zip", "c04.zip", "c05.zip"};
    QTest::newRow("longer organisation") << "comboOrg"
                                         << "FCC SP" << QStringList{"c05.zip"};
    QTest::newRow("year inside a longer year") << "comboAno"
                                               << "2008" << QStringList{"c01.zip", "c04.zip", "c06.zip", "c08.zip"};
    QTest::newRow("one entry") << "comboAno"
                               << "2006" << QStringList{"c05.zip"};
    QTest::newRow("long year") << "comboAno"
                               << "12008" << QStringList{"c08.zip"};
}

void TestCatalogWindow::filters()
{
    QFETCH(QString, list);
    QFETCH(QString, item);
    QFETCH(QStringList, expected);
    writeCatalog(kLines);
    TformMain* w = makeMain();
    QVERIFY(w);
    QComboBox* picked = list == "comboProva" ? Control<QComboBox>(w, "comboProva")
        : list == "comboOrg"                 ? Control<QComboBox>(w, "comboOrg")
                                             : Control<QComboBox>(w, "comboAno");
    // Start from a search so every list begins empty and the grid differs.
    search(QStringLiteral("vunesp"));
    QCOMPARE(shownArchives(), QStringList{"c07.zip"});
    pick(picked, item);
    QCOMPARE(shownArchives(), inCatalogOrder(expected));
    checkGridMatchesRowArchives();
    QCOMPARE(picked->currentText(), item);
    for (QComboBox* other :
         {Control<QComboBox>(w, "comboProva"), Control<QComboBox>(w, "comboOrg"), Control<QComboBox>(w, "comboAno")})
        if (other != picked)
            QCOMPARE(other->currentIndex(), -1);
    QVERIFY(m_messages.shown.isEmpty());
    // The search panel keeps its text through a filter.
    QCOMPARE(Control<QLineEdit>(w, "editLocalizar")->text(), QStringLiteral("vunesp"));
}

void TestCatalogWindow::selectionByProgramFiltersNothing()
{
    writeCatalog(kLines);
    TformMain* w = makeMain();
    QVERIFY(w);
    pick(Control<QComboBox>(w, "comboOrg"), QStringLiteral("FGV"));
    QCOMPARE(shownArchives(), QStringList{"c06.zip"});
    // The filter emptied the year list without filtering by it, and a
    // selection made by the program does not filter either.
    QCOMPARE(Control<QComboBox>(w, "comboAno")->currentIndex(), -1);
    Control<QComboBox>(w, "comboAno")->setCurrentIndex(0);
    Control<QComboBox>(w, "comboProva")->setCurrentIndex(1);
    QCOMPARE(shownArchives(), QStringList{"c06.zip"});
}

void TestCatalogWindow::search_data()
{
    QTest::addColumn<QString>("term");
    QTest::addColumn<QStringList>("expected"); // empty: the "not found" message
    const QStringList tecnico{"c02.zip", "c04.zip", "c07.zip"};
    QTest::newRow("accents and case ignored") << "técnico" << tecnico;
    QTest::newRow("capitals without accents") << "TECNICO" << tecnico;
    QTest::newRow("capital with accent") << "TÉCNICO" << tecnico;
    QTest::newRow("blanks around") << "  fcc  " << QStringList{"c03.zip", "c04.zip", "c05.zip"};
    QTest::newRow("year field") << "2008" << QStringList{"c01.zip", "c04.zip", "c06.zip", "c08.zip"};
    QTest::newRow("accent in the field only") << "osasco" << QStringList{"c08.zip"};
    QTest::newRow("cedilla and tilde") << "FUNDACAO" << QStringList{"c08.zip"};
    QTest::newRow("nothing matches") << "zzz" << QStringList{};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("blanks only") << "   " << QStringList{};
    QTest::newRow("characters outside Windows-1252") << "日本" << QStringList{};
    QTest::newRow("ten thousand characters") << QString(10000, QLatin1Char('e')) << QStringList{};
}

void TestCatalogWindow::search()
{
    QFETCH(QString, term);
    QFETCH(QStringList, expected);
    writeCatalog(kLines);
    TformMain* w = makeMain();
    QVERIFY(w);
    pick(Control<QComboBox>(w, "comboProva"), QStringLiteral("Auditor"));
    search(term);
    // Enter ran the search and put nothing into the box.
    QCOMPARE(Control<QLineEdit>(w, "editLocalizar")->text(), term);
    QCOMPARE(shownArchives(), inCatalogOrder(expected));
    checkGridMatchesRowArchives();
    if (expected.isEmpty()) {
        QCOMPARE(m_messages.shown.size(), 1);
        QCOMPARE(m_messages.shown[0].first, QStringLiteral("Nenhuma prova foi encontrada."));
        QCOMPARE(m_messages.shown[0].second, QStringLiteral("Zelvora"));
    } else {
        QVERIFY(m_messages.shown.isEmpty());
    }
    for (QComboBox* list :
         {Control<QComboBox>(w, "comboProva"), Control<QComboBox>(w, "comboOrg"), Control<QComboBox>(w, "comboAno")})
        QCOMPARE(list->currentIndex(), -1);
    QVERIFY(!w->searchPanelHidden());
    QVERIFY(Control<QFrame>(w, "panelLocaliza")->isVisible());
}

void TestCatalogWindow::searchByOkLabel()
{
    writeCatalog(kLines);
    TformMain* w = makeMain();
    QVERIFY(w);
    clickZone(Control<TFocusImage>(w, "btLocalizar"));
    QTest::keyClicks(Control<QLineEdit>(w, "editLocalizar"), QStringLiteral("JUDICIARIO"));
    const QPoint ok = Control<QLabel>(w, "buttonOK")->mapTo(w, Control<QLabel>(w, "buttonOK")->rect().center());
    // A press on "OK" released elsewhere does not search.
    QTest::mousePress(w->windowHandle(), Qt::LeftButton, {}, ok);
    QTest::mouseRelease(w->windowHandle(), Qt::LeftButton, {}, ok + QPoint(0, 40));
    QCOMPARE(shownArchives(), inCatalogOrder({"c01.zip", "c04.zip", "c06.zip", "c08.zip"}));
    QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, ok);
    QCOMPARE(shownArchives(), inCatalogOrder({"c01.zip", "c02.zip"}));
    QCOMPARE(Control<QLineEdit>(w, "editLocalizar")->text(), QStringLiteral("JUDICIARIO"));
}

void TestCatalogWindow::searchPanelToggle()
{
    writeCatalog(kLines);
    TformMain* w = makeMain();
    QVERIFY(w);
    const QStringList rows = shownArchives();
    QCOMPARE(Control<QTableView>(w, "gridProvas")->height(), 216);
    clickZone(Control<TFocusImage>(w, "btLocalizar"));
    QVERIFY(!w->searchPanelHidden());
    QVERIFY(Control<QFrame>(w, "panelLocaliza")->isVisible());
    QCOMPARE(Control<QFrame>(w, "panelLocaliza")->geometry(), QRect(0, 217, 632, 27));
    QCOMPARE(Control<QTableView>(w, "gridProvas")->height(), 189);
    QTRY_COMPARE(QApplication::focusWidget(), Control<QLineEdit>(w, "editLocalizar"));
    QTest::keyClicks(Control<QLineEdit>(w, "editLocalizar"), QStringLiteral("abc"));
    clickZone(Control<TFocusImage>(w, "btLocalizar"));
    QVERIFY(w->searchPanelHidden());
    QVERIFY(!Control<QFrame>(w, "panelLocaliza")->isVisible());
    QCOMPARE(Control<QTableView>(w, "gridProvas")->height(), 216);
    QCOMPARE(shownArchives(), rows);
    clickZone(Control<TFocusImage>(w, "btLocalizar"));
    QCOMPARE(Control<QLineEdit>(w, "editLocalizar")->text(), QStringLiteral("abc"));
    QVERIFY(m_messages.shown.isEmpty());
}

void TestCatalogWindow::columnWidthRule_data()
{
    QTest::addColumn<int>("matches");
    QTest::addColumn<bool>("searchPanelShown");
    QTest::addColumn<int>("column0");
    QTest::addColumn<int>("panel1");
    for (const bool shown : {false, true}) {
        const char* panel = shown ? "search panel shown" : "search panel hidden";
        QTest::addRow("0, %s", panel) << 0 << shown << 335 << 337;
        QTest::addRow("1, %s", panel) << 1 << shown << 335 << 337;
        QTest::addRow("7, %s", panel) << 7 << shown << 335 << 337;
        QTest::addRow("8, %s", panel) << 8 << shown << 320 << 322;
        QTest::addRow("9, %s", panel) << 9 << shown << 320 << 322;
        QTest::addRow("40, %s", panel) << 40 << shown << 320 << 322;
    }
}

void TestCatalogWindow::columnWidthRule()
{
    QFETCH(int, matches);
    QFETCH(bool, searchPanelShown);
    QFETCH(int, column0);
    QFETCH(int, panel1);
    QStringList lines;
    for (int i = 0; i < 40; ++i)
        lines << QStringLiteral("Org%1#%2#1990#x%1.zip")
                     .arg(i, 2, 10, QLatin1Char('0'))
                     .arg(i < matches ? "Alvo" : "Resto");
    lines << "Outra#Resto#2020#y.zip";
    writeCatalog(lines);
    TformMain* w = makeMain();
    QVERIFY(w);
    // Start from the other width, so the rule has to change it.
    search(matches >= 8 ? QStringLiteral("outra") : QStringLiteral("1990"));
    if (!searchPanelShown)
        clickZone(Control<TFocusImage>(w, "btLocalizar"));
    if (matches == 0)
        search(QStringLiteral("alvo")); // no match: the message, one blank row
    else
        pick(Control<QComboBox>(w, "comboProva"), QStringLiteral("Alvo"));
    if (!searchPanelShown && matches == 0)
        clickZone(Control<TFocusImage>(w, "btLocalizar"));
    QCOMPARE(w->searchPanelHidden(), !searchPanelShown);
    QCOMPARE(int(w->rowArchives().size()), matches);
    QCOMPARE(w->gridRowCount(), std::max(1, matches));
    QCOMPARE(Control<QTableView>(w, "gridProvas")->columnWidth(0), column0);
    QCOMPARE(Control<QTableView>(w, "gridProvas")->columnWidth(1), 225);
    QCOMPARE(Control<QTableView>(w, "gridProvas")->columnWidth(2), 64);
    QCOMPARE(Control<QLabel>(w, "Panel1")->geometry(), QRect(0, 0, panel1, 28));
    QCOMPARE(Control<QLabel>(w, "Panel2")->geometry(), QRect(panel1, 0, 226, 28));
    QCOMPARE(Control<QLabel>(w, "Panel3")->geometry(), QRect(panel1 + 226, 0, 69, 28));
    // The widths leave room for the scroll bar whenever it is there, and a
    // short list never needs it.
    QTableView* grid = Control<QTableView>(w, "gridProvas");
    QTRY_COMPARE(grid->verticalScrollBar()->isVisible(), matches * 25 > grid->height() - 2 * grid->frameWidth());
    if (matches < 8)
        QVERIFY(!grid->verticalScrollBar()->isVisible());
    if (grid->verticalScrollBar()->isVisible())
        QVERIFY(column0 + 225 + 64 <= grid->viewport()->width());
    QVERIFY(!grid->horizontalScrollBar()->isVisible());
}

void TestCatalogWindow::emptyCatalog()
{
    // No "nomes.txt" at all.
    TformMain* w = makeMain();
    QVERIFY(w);
    QCOMPARE(Control<QComboBox>(w, "comboProva")->count(), 0);
    QCOMPARE(Control<QComboBox>(w, "comboOrg")->count(), 0);
    QCOMPARE(Control<QComboBox>(w, "comboAno")->count(), 0);
    QVERIFY(w->rowArchives().empty());
    checkGridMatchesRowArchives();
    QVERIFY(!w->selectedRow());
    QCOMPARE(Control<QTableView>(w, "gridProvas")->columnWidth(0), 335);
    QVERIFY(Control<QTableView>(w, "gridProvas")->horizontalHeader()->isHidden());
    QVERIFY(Control<QTableView>(w, "gridProvas")->verticalHeader()->isHidden());
    QVERIFY(m_messages.shown.isEmpty());
    search(QStringLiteral("prova"));
    QCOMPARE(m_messages.shown.size(), 1);
    QCOMPARE(m_messages.shown[0].first, QStringLiteral("Nenhuma prova foi encontrada."));
    QCOMPARE(w->gridRowCount(), 1);
}

// A field of megabytes is kept whole (the filter and the copy see it all)
// but shown cut, in the grid and in its list alike.
void TestCatalogWindow::hugeFieldsShownCut()
{
    const QString longType = QStringLiteral("Técnico ") + QString(2 * 1000 * 1000, QLatin1Char('x'));
    const QString exactly = QString(int(CatalogGridModel::ShownLimit), QLatin1Char('y'));
    writeCatalog({"CESPE#" + longType + "#2008#c01.zip", "FCC#" + exactly + "#2008#c02.zip"});
    TformMain* w = makeMain();
    QVERIFY(w);
    QCOMPARE(w->gridRowCount(), 2);
    const QString shown = longType.left(int(CatalogGridModel::ShownLimit)) + QChar(0x2026);
    QCOMPARE(w->cellText(0, 0), shown);
    QCOMPARE(w->cellText(1, 0), exactly); // at the limit nothing is cut
    auto* types = Control<QComboBox>(w, "comboProva");
    QCOMPARE(types->count(), 2);
    const int item = types->findText(shown, Qt::MatchExactly);
    QVERIFY(item >= 0);
    // The list item still filters by the whole field.
    QCOMPARE(types->itemData(item).toByteArray().size(), qsizetype(longType.size()));
    pick(types, shown);
    QCOMPARE(w->gridRowCount(), 1);
    QCOMPARE(w->rowArchives(), (std::vector<std::string>{"c01.zip"}));
    QVERIFY(w->selectedRow() && w->selectedRow()->examType.size() == size_t(longType.size()));
}

void TestCatalogWindow::selectedRowFollowsGrid()
{
    writeCatalog(kLines);
    TformMain* w = makeMain();
    QVERIFY(w);
    search(QStringLiteral("técnico"));
    QTableView* grid = Control<QTableView>(w, "gridProvas");
    const int last = w->gridRowCount() - 1;
    QCOMPARE(last, 2);
    // After a search the first row is the selected one.
    QCOMPARE(w->selectedRow()->row, 0);
    const QRect cell = grid->visualRect(grid->model()->index(last, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    const auto row = w->selectedRow();
    QVERIFY(row);
    QCOMPARE(row->row, last);
    QCOMPARE(row->archiveName, w->rowArchives().back());
    QCOMPARE(app::FromAnsi(row->examType), w->cellText(last, 0));
    QCOMPARE(app::FromAnsi(row->organisation), w->cellText(last, 1));
    QCOMPARE(app::FromAnsi(row->year), w->cellText(last, 2));
    // A double click opens the exam copy's save dialog; cancelled, it
    // changes nothing in the grid.
    CancelCopyDialog cancel(w);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(cancel.shown, 1);
    QCOMPARE(w->selectedRow()->row, last);
    QCOMPARE(w->gridRowCount(), 3);
    QVERIFY(m_messages.shown.isEmpty());
}

void TestCatalogWindow::pressEffectRestoresNormalPixels()
{
    writeCatalog(kLines);
    writeFooterSkins();
    TformMain* w = makeMain();
    QVERIFY(w);
    const QImage normal = PatternImage(kFooterSkin, 1);
    const QImage pressed = PatternImage(kFooterSkin, 2);
    QCOMPARE(Control<ImageView>(w, "imRodape")->picture(), normal);
    QWindow* window = w->windowHandle();
    for (TFocusImage* zone : {Control<TFocusImage>(w, "btLocalizar"), Control<TFocusImage>(w, "btCopiar"),
                              Control<TFocusImage>(w, "btCreditos"), Control<TFocusImage>(w, "btSimulado"),
                              Control<TFocusImage>(w, "btSair")}) {
        // The zone's own rectangle, in the picture's pixels, no offset.
        const QRect inPicture = zone->geometry() & normal.rect();
        const QPoint at = zone->mapTo(w, QPoint(5, 5));
        QTest::mousePress(window, Qt::RightButton, {}, at);
        QCOMPARE(Region(Control<ImageView>(w, "imRodape")->picture(), inPicture), Region(pressed, inPicture));
        QImage outside = Control<ImageView>(w, "imRodape")->picture();
        QPainter(&outside).drawImage(inPicture, normal, inPicture);
        QCOMPARE(outside, normal);
        QTest::mouseRelease(window, Qt::RightButton, {}, at);
        QCOMPARE(Control<ImageView>(w, "imRodape")->picture(), normal);
    }
    // A real click of the search button, twice: the look comes back too.
    clickZone(Control<TFocusImage>(w, "btLocalizar"));
    clickZone(Control<TFocusImage>(w, "btLocalizar"));
    QCOMPARE(Control<ImageView>(w, "imRodape")->picture(), normal);
    QVERIFY(w->searchPanelHidden());
}

void TestCatalogWindow::dragOffAndRightButtonDoNotClick()
{
    writeCatalog(kLines);
    writeFooterSkins();
    m_creditos = std::make_unique<TformCreditos>(m_ctx);
    m_ctx.windows.creditos = m_creditos.get();
    TformMain* w = makeMain();
    QVERIFY(w);
    const QImage normal = PatternImage(kFooterSkin, 1);
    QWindow* window = w->windowHandle();
    for (TFocusImage* zone : {Control<TFocusImage>(w, "btLocalizar"), Control<TFocusImage>(w, "btCreditos"),
                              Control<TFocusImage>(w, "btSair")}) {
        const QPoint at = zone->mapTo(w, zone->rect().center());
        // Dragged off: back to normal, no click.
        QTest::mousePress(window, Qt::LeftButton, {}, at);
        QTest::mouseMove(window, QPoint(300, 200));
        QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(300, 200));
        QCOMPARE(Control<ImageView>(w, "imRodape")->picture(), normal);
        // Right button over the zone: no click either.
        clickZone(zone, Qt::RightButton);
        QCOMPARE(Control<ImageView>(w, "imRodape")->picture(), normal);
    }
    QVERIFY(w->searchPanelHidden());
    QVERIFY(!m_creditos->isVisible());
    QVERIFY(w->isVisible());
}

void TestCatalogWindow::creditsButtonStaysPressedWhileOpen()
{
    writeCatalog(kLines);
    writeFooterSkins();
    m_creditos = std::make_unique<TformCreditos>(m_ctx);
    m_ctx.windows.creditos = m_creditos.get();
    TformMain* w = makeMain();
    QVERIFY(w);
    const QImage normal = PatternImage(kFooterSkin, 1);
    const QImage pressed = PatternImage(kFooterSkin, 2);
    const QRect zone = Control<TFocusImage>(w, "btCreditos")->geometry();
    bool pressedWhileOpen = false, modal = false;
    WhenShown closer(m_creditos.get(), [&] {
        pressedWhileOpen = Region(Control<ImageView>(w, "imRodape")->picture(), zone) == Region(pressed, zone);
        modal = QApplication::activeModalWidget() == m_creditos.get();
        QTest::mouseClick(m_creditos->windowHandle(), Qt::LeftButton, {}, QPoint(100, 100));
    });
    for (int time = 1; time <= 2; ++time) {
        pressedWhileOpen = modal = false;
        clickZone(Control<TFocusImage>(w, "btCreditos"));
        QCOMPARE(closer.timesShown, time);
        QVERIFY(pressedWhileOpen);
        QVERIFY(modal);
        QVERIFY(!m_creditos->isVisible());
        QCOMPARE(Control<ImageView>(w, "imRodape")->picture(), normal);
    }
}

void TestCatalogWindow::mockExamButtonShowsWindowWithoutWaiting()
{
    writeCatalog(kLines);
    m_simul = std::make_unique<TformSimul>(m_ctx);
    TformMain* w = makeMain();
    QVERIFY(w);
    zelvora::app::WindowWiring wiring;
    wiring.main = w;
    wiring.simul = m_simul.get();
    wiring.wire(m_ctx);
    QVERIFY(!m_simul->isVisible());
    clickZone(Control<TFocusImage>(w, "btSimulado"));
    // The click returned with the window open: it was not shown modally.
    QVERIFY(m_simul->isVisible());
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(w->isVisible());
    m_simul->close();
}

void TestCatalogWindow::exitButtonClosesWindow()
{
    writeCatalog(kLines);
    TformMain* w = makeMain();
    QVERIFY(w);
    clickZone(Control<TFocusImage>(w, "btSair"));
    QVERIFY(!w->isVisible());
}

void TestCatalogWindow::splashShownOnce_data()
{
    QTest::addColumn<bool>("byCloseCommand");
    QTest::newRow("start button") << false;
    QTest::newRow("close command") << true;
}

void TestCatalogWindow::splashShownOnce()
{
    QFETCH(bool, byCloseCommand);
    writeCatalog(kLines);
    // Created first, as at start-up, so the splash finds its data folder.
    TformMain* w = makeMain(false);
    m_abre = std::make_unique<TformAbre>(m_ctx);
    m_ctx.windows.abre = m_abre.get();
    m_abre->FormCreate();
    bool modal = false, mainVisible = false;
    WhenShown closer(m_abre.get(), [&] {
        modal = QApplication::activeModalWidget() == m_abre.get();
        mainVisible = w->isVisible();
        if (byCloseCommand)
            m_abre->windowHandle()->close();
        else
            clickZone(Control<TFocusImage>(m_abre.get(), "btInicio"));
    });
    w->show();
    QTRY_COMPARE(closer.timesShown, 1);
    QTRY_VERIFY(!m_abre->isVisible());
    QVERIFY(modal);
    QVERIFY(mainVisible);
    // Later activations (coming back from another window) show nothing.
    for (int i = 0; i < 3; ++i) {
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(w, &deactivate);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(w, &activate);
        QCoreApplication::processEvents();
    }
    QCOMPARE(closer.timesShown, 1);
    // The catalog window works as before.
    pick(Control<QComboBox>(w, "comboAno"), QStringLiteral("2006"));
    QCOMPARE(shownArchives(), QStringList{"c05.zip"});
}

void TestCatalogWindow::allSkinsMissing()
{
    writeCatalog(kLines);
    TformMain* w = makeMain(false);
    m_abre = std::make_unique<TformAbre>(m_ctx);
    m_ctx.windows.abre = m_abre.get();
    m_abre->FormCreate();
    m_creditos = std::make_unique<TformCreditos>(m_ctx);
    m_ctx.windows.creditos = m_creditos.get();
    WhenShown closer(m_abre.get(), [&] { clickZone(Control<TFocusImage>(m_abre.get(), "btInicio")); });
    w->show();
    QTRY_COMPARE(closer.timesShown, 1);
    QTRY_VERIFY(!m_abre->isVisible());
    QVERIFY(Control<ImageView>(w, "imRodape")->picture().isNull());
    QVERIFY(Control<ImageView>(m_abre.get(), "imFundo")->picture().isNull());
    // The zones still work and draw nothing.
    CancelCopyDialog cancel(w);
    QTest::mousePress(w->windowHandle(), Qt::LeftButton, {},
                      Control<TFocusImage>(w, "btCopiar")->mapTo(w, QPoint(9, 9)));
    QVERIFY(Control<ImageView>(w, "imRodape")->picture().isNull());
    QTest::mouseRelease(w->windowHandle(), Qt::LeftButton, {},
                        Control<TFocusImage>(w, "btCopiar")->mapTo(w, QPoint(9, 9)));
    clickZone(Control<TFocusImage>(w, "btLocalizar"));
    QVERIFY(!w->searchPanelHidden());
    QVERIFY(m_messages.shown.isEmpty());
    // The footer shows its dark blue where the skin would be.
    const QImage shot = w->grab().toImage();
    QCOMPARE(shot.pixelColor(Control<QFrame>(w, "panelButtons")->mapTo(w, QPoint(300, 20))), QColor(50, 63, 108));
}

// Tab visits every control once, top to bottom and left to right, leaving the
// grid after one press and reaching every footer button.
void TestCatalogWindow::tabOrder()
{
    writeCatalog(kLines);
    TformMain* w = makeMain();
    QVERIFY(w);
    search(QStringLiteral("Auditor")); // shows the search panel
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    Control<QComboBox>(w, "comboProva")->setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (int i = 0; i < 11; ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited,
             (QStringList{"comboProva", "comboOrg", "comboAno", "gridProvas", "editLocalizar", "buttonOK",
                          "btLocalizar", "btCopiar", "btCreditos", "btSimulado", "btSair"}));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("comboProva"));
    QVERIFY(Control<TFocusImage>(w, "btSair")->toolTip().isEmpty());
}

// Enter, Space and the Alt shortcuts press a footer button as a click does:
// here the search button, whose click shows and hides the search panel.
void TestCatalogWindow::keysPressFooterButtons_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("focused");
    QTest::newRow("Enter on the button") << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
    QTest::newRow("Space on the button") << int(Qt::Key_Space) << int(Qt::NoModifier) << true;
    QTest::newRow("Alt+L from the grid") << int(Qt::Key_L) << int(Qt::AltModifier) << false;
}

void TestCatalogWindow::keysPressFooterButtons()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, focused);
    writeCatalog(kLines);
    writeFooterSkins();
    TformMain* w = makeMain();
    QVERIFY(w);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    auto* button = Control<TFocusImage>(w, "btLocalizar");
    QWidget* target = focused ? static_cast<QWidget*>(button) : Control<QTableView>(w, "gridProvas");
    target->setFocus(Qt::TabFocusReason);
    const QImage normal = PatternImage(kFooterSkin, 1);
    const QImage pressed = PatternImage(kFooterSkin, 2);
    const QRect zone = button->geometry().intersected(QRect(QPoint(0, 0), kFooterSkin));
    if (focused) {
        // Held down, the button shows its pressed look.
        QTest::keyPress(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(Region(Control<ImageView>(w, "imRodape")->picture(), zone), Region(pressed, zone));
        QTest::keyRelease(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    } else {
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    }
    QVERIFY(!w->searchPanelHidden());
    QCOMPARE(Control<ImageView>(w, "imRodape")->picture(), normal);
    QCOMPARE(button->shortcut(), QKeySequence(Qt::ALT | Qt::Key_L));
}

void TestCatalogWindow::emptySearchLeavesNoHighlightedRow()
{
    writeCatalog(kLines);
    TformMain* w = makeMain();
    QVERIFY(w);
    auto* grid = Control<QTableView>(w, "gridProvas");
    QVERIFY(grid->selectionModel()->hasSelection());
    search(QStringLiteral("nada disso"));
    QCOMPARE(m_messages.shown.size(), 1);
    QVERIFY(!grid->selectionModel()->hasSelection());
    QVERIFY(!grid->currentIndex().isValid());
    // A search that finds rows highlights the first again.
    search(QStringLiteral("Auditor"));
    QCOMPARE(grid->currentIndex().row(), 0);
    QVERIFY(grid->selectionModel()->isRowSelected(0, QModelIndex()));
}

QTEST_MAIN(TestCatalogWindow)
#include "tst_catalogwindow.moc"
