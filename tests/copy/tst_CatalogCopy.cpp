// The exam copy from the real catalog window: after a filter or a search,
// the last row is copied with the copy button or a double click, and the
// files that land in the chosen folder are those of that row's archive.
#include "app/AppContext.h"
#include "app/FindControl.h"
#include "app/RecordingMessageBoxes.h"
#include "app/TFocusImage.h"
#include "catalog/ExamCopy.h"
#include "catalog/ExamCopyDialog.h"
#include "catalog/TformMain.h"
#include "text/PtBrCollation.h"
#include "text/Windows1252.h"
#include "zipwriter/ZipWriter.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace zelvora;
using namespace zelvora::gui;

namespace {

// Each archive holds a paper whose bytes name the archive, so a copy shows
// which archive it came from.
const QStringList kLines = {
    "Org A#Técnico Judiciário#2008#a1.zip",
    "Org B#Analista#2008#b1.zip",
    "Org C#Técnico#2007#c1.zip",
    "Org D#Agente#2008#d1.zip",
    "Org E#Técnico em Informática#2006#e1.zip",
};

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestCatalogCopy : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void lastRowIsCopied_data();
    void lastRowIsCopied();
    void emptyResultCopiesNothing();

private:
    void pick(QComboBox* list, const QString& text);
    void clickZone(gui::TFocusImage* zone);
    // Answers the save dialog with path once it shows; returns the name it suggested.
    void answerDialogWith(const QString& path);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_data;
    RecordingMessageBoxes m_messages;
    text::PtBrCollation m_collation;
    app::AppContext m_ctx;
    std::unique_ptr<TformMain> m_main;
    std::unique_ptr<QTimer> m_poll;
    QString m_suggested;
    int m_shows = 0;
};

void TestCatalogCopy::init()
{
    // The user's own data folder is read too: never the real one.
    QStandardPaths::setTestModeEnabled(true);
    m_dir = std::make_unique<QTemporaryDir>();
    m_data = m_dir->path() + "/dados/";
    QVERIFY(QDir().mkpath(m_data));
    QFile f(m_data + "nomes.txt");
    QVERIFY(f.open(QIODevice::WriteOnly));
    const std::string bytes = text::Utf8ToCp1252(kLines.join("\r\n").toStdString());
    f.write(bytes.data(), qint64(bytes.size()));
    f.close();
    for (const QString& line : kLines) {
        const QString archive = line.section('#', 3);
        zipwriter::ZipWriter w;
        w.addFile("pasta/prova.pdf", archive.toStdString());
        QVERIFY(w.writeTo((m_data + archive).toStdString()));
    }
    m_messages.shown.clear();
    m_ctx = {};
    m_ctx.executablePath = m_dir->path() + "/zelvora";
    m_ctx.messages = &m_messages;
    m_ctx.collation = &m_collation;
    m_ctx.processEvents = [] { QCoreApplication::processEvents(); };
    m_main = std::make_unique<TformMain>(m_ctx);
    m_main->FormCreate();
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    m_suggested.clear();
    m_shows = 0;
}

void TestCatalogCopy::cleanup()
{
    m_poll.reset();
    m_main.reset();
    m_dir.reset();
}

void TestCatalogCopy::pick(QComboBox* list, const QString& text)
{
    const int index = list->findText(text, Qt::MatchExactly);
    QVERIFY2(index >= 0, qPrintable(text));
    list->showPopup();
    list->view()->setCurrentIndex(list->model()->index(index, 0));
    QTest::keyClick(list->view(), Qt::Key_Return);
    QCOMPARE(list->currentIndex(), index);
}

void TestCatalogCopy::clickZone(gui::TFocusImage* zone)
{
    const QPoint at = zone->mapTo(zone->window(), zone->rect().center());
    QTest::mouseClick(zone->window()->windowHandle(), Qt::LeftButton, {}, at);
}

void TestCatalogCopy::answerDialogWith(const QString& path)
{
    m_poll = std::make_unique<QTimer>();
    m_poll->setInterval(10);
    connect(m_poll.get(), &QTimer::timeout, this, [this, path] {
        ExamCopyDialog& d = m_main->examCopy().dialog();
        if (!d.isVisible())
            return;
        ++m_shows;
        auto* edit = d.findChild<QLineEdit*>("fileNameEdit");
        m_suggested = edit->text();
        edit->setText(path);
        QTest::keyClick(edit, Qt::Key_Return);
        if (d.isVisible())
            d.reject(); // the dialog refused the path: end the test, do not hang
    });
    m_poll->start();
}

void TestCatalogCopy::lastRowIsCopied_data()
{
    QTest::addColumn<QString>("year"); // a year picked in comboAno, or
    QTest::addColumn<QString>("search"); // a word searched
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<QString>("archive"); // of the last row
    QTest::addColumn<QString>("suggested");

    QTest::newRow("year filter, copy button") << "2008"
                                              << "" << false << "d1.zip"
                                              << "Org D - Agente - 2008";
    QTest::newRow("year filter, double click") << "2008"
                                               << "" << true << "d1.zip"
                                               << "Org D - Agente - 2008";
    // A double click on the white space below the rows copies the selected row too.
    QTest::newRow("year filter, double click below the rows") << "2008"
                                                              << "" << true << "d1.zip"
                                                              << "Org D - Agente - 2008";
    QTest::newRow("search, copy button") << ""
                                         << "tecnico" << false << "e1.zip"
                                         << "Org E - Técnico em Informática - 2006";
    QTest::newRow("search, double click") << ""
                                          << "TÉCNICO JUD" << true << "a1.zip"
                                          << "Org A - Técnico Judiciário - 2008";
}

void TestCatalogCopy::lastRowIsCopied()
{
    QFETCH(QString, year);
    QFETCH(QString, search);
    QFETCH(bool, doubleClick);
    QFETCH(QString, archive);
    QFETCH(QString, suggested);

    if (!year.isEmpty()) {
        pick(Control<QComboBox>(m_main.get(), "comboAno"), year);
    } else {
        clickZone(Control<TFocusImage>(m_main.get(), "btLocalizar"));
        Control<QLineEdit>(m_main.get(), "editLocalizar")->setText(search);
        QTest::keyClick(Control<QLineEdit>(m_main.get(), "editLocalizar"), Qt::Key_Return);
    }
    const int last = int(m_main->rowArchives().size()) - 1;
    QVERIFY(last >= 0);
    QCOMPARE(QString::fromStdString(m_main->rowArchives()[size_t(last)]), archive);

    QTableView* grid = Control<QTableView>(m_main.get(), "gridProvas");
    grid->scrollTo(grid->model()->index(last, 0));
    const QPoint at = grid->visualRect(grid->model()->index(last, 0)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTRY_COMPARE(m_main->selectedRow().value_or(TformMain::GridRow{}).row, last);

    const QString dest = m_dir->path() + "/copia";
    answerDialogWith(dest);
    if (doubleClick && QByteArray(QTest::currentDataTag()).endsWith("below the rows")) {
        const QPoint below(at.x(), grid->viewport()->height() - 2);
        QVERIFY(!grid->indexAt(below).isValid());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, below);
    } else if (doubleClick)
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    else
        clickZone(Control<TFocusImage>(m_main.get(), "btCopiar"));
    QTRY_COMPARE(m_shows, 1);
    QCOMPARE(m_suggested, suggested);
    QTRY_COMPARE(ReadAll(dest + "/prova.pdf"), archive.toUtf8());
    // One notice, naming the folder the files went to.
    QCOMPARE(m_messages.shown.size(), 1);
    QVERIFY(m_messages.shown[0].first.startsWith(QStringLiteral("Prova copiada para a pasta:")));
    QVERIFY(m_messages.shown[0].first.endsWith(QDir::toNativeSeparators(dest)));
}

void TestCatalogCopy::emptyResultCopiesNothing()
{
    clickZone(Control<TFocusImage>(m_main.get(), "btLocalizar"));
    Control<QLineEdit>(m_main.get(), "editLocalizar")->setText("inexistente");
    QTest::keyClick(Control<QLineEdit>(m_main.get(), "editLocalizar"), Qt::Key_Return);
    QCOMPARE(m_messages.shown.size(), 1); // "Nenhuma prova foi encontrada."
    answerDialogWith(m_dir->path() + "/nada");
    clickZone(Control<TFocusImage>(m_main.get(), "btCopiar"));
    QTest::mouseDClick(Control<QTableView>(m_main.get(), "gridProvas")->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
    QCoreApplication::processEvents();
    QCOMPARE(m_shows, 0);
    QCOMPARE(m_messages.shown.size(), 1);
    QVERIFY(!QFileInfo::exists(m_dir->path() + "/nada"));
}

QTEST_MAIN(TestCatalogCopy)
#include "tst_CatalogCopy.moc"
