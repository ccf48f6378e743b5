// The history window driven offscreen: it lists the store, deletes only after
// a yes, exports what it shows and says when the store is unavailable.
#include "app/AppContext.h"
#include "attempts/AttemptStore.h"
#include "attempts/TformHistorico.h"
#include "mockexam/RecordingMessages.h"

#include <QApplication>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QScreen>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

using namespace zelvora;
using attempts::AttemptStore;
using attempts::PaperIdentity;

class TestTformHistorico : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup();
    void listsNewestFirstAndCharts();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void exportWritesTheTable();
    void unavailableStoreSaysWhy();
    void myDataGoToAnotherComputer();
    void cutoffLine_data();
    void cutoffLine();
    void chartShowsEveryPointWhole_data();
    void chartShowsEveryPointWhole();
    void opensCentredOnTheScreen();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AttemptStore> m_store;
    RecordingMessages m_messages;
    qint64 m_ids[3] = {};
    int m_minute = 0; // the store's clock reads it after init() returns
};

void TestTformHistorico::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_minute = 0;
    m_store = std::make_unique<AttemptStore>(m_dir->filePath(QStringLiteral("a.sqlite")), [this] {
        return QDateTime(QDate(2026, 2, 1), QTime(8, m_minute), Qt::UTC);
    });
    QVERIFY(m_store->open());
    for (int i = 0; i < 3; ++i) {
        m_minute = i;
        const QString pdf = i == 2 ? QStringLiteral("/s/q.pdf") : QStringLiteral("/s/p.pdf");
        const PaperIdentity paper{pdf, QStringLiteral("/d/"), QStringLiteral("k")};
        m_ids[i] = m_store->begin(paper, QStringLiteral("Prova %1").arg(i == 2 ? 2 : 1), 4).value();
        m_store->finish(m_ids[i], 60, i + 1);
    }
    m_messages.clear();
    m_messages.answers.clear();
}

void TestTformHistorico::cleanup()
{
    m_store.reset();
    m_dir.reset();
}

void TestTformHistorico::listsNewestFirstAndCharts()
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    gui::TformHistorico w(m_store.get(), &m_messages, QStringLiteral("Zelvora"));
    w.show();
    auto* grid = w.findChild<QTableView*>(QStringLiteral("gridHistorico"));
    QVERIFY(grid);
    QCOMPARE(grid->model()->rowCount(), 3);
    QCOMPARE(w.selectedAttemptId(), m_ids[2]);
    grid->selectRow(2); // the oldest: its paper has attempts of 25% and 50%
    QCOMPARE(w.selectedAttemptId(), m_ids[0]);
    auto* chart = w.findChild<QChartView*>(QStringLiteral("chartEvolucao"))->chart();
    QCOMPARE(chart->title(), QStringLiteral("Prova 1"));
    const QString resumo = w.findChild<QLabel*>(QStringLiteral("lResumo"))->text();
    QVERIFY2(resumo.contains(QStringLiteral("2 tentativas")) && resumo.contains(QStringLiteral("50,00%"))
                 && resumo.contains(QStringLiteral("37,50%")),
             qPrintable(resumo));
    QLocale::setDefault(QLocale::c());
}

void TestTformHistorico::deleteAsksFirst_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<int>("left");
    QTest::newRow("no keeps it") << false << 3;
    QTest::newRow("yes deletes it") << true << 2;
}

void TestTformHistorico::deleteAsksFirst()
{
    QFETCH(bool, yes);
    QFETCH(int, left);
    gui::TformHistorico w(m_store.get(), &m_messages, QStringLiteral("Zelvora"));
    m_messages.answers = {yes};
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("btExcluir")), Qt::LeftButton);
    QCOMPARE(m_messages.questions.size(), 1);
    QVERIFY(m_messages.questions[0].contains(QStringLiteral("Prova 2")));
    QCOMPARE(int(m_store->summaries().value().size()), left);
    QCOMPARE(w.model().rowCount(), left);
    QCOMPARE(m_store->load(m_ids[2]).value().has_value(), !yes);
}

void TestTformHistorico::exportWritesTheTable()
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    gui::TformHistorico w(m_store.get(), &m_messages, QStringLiteral("Zelvora"));
    const QString path = m_dir->filePath(QStringLiteral("h.csv"));
    w.chooseCsvPath = [&](QWidget*) { return path; };
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("btExportar")), Qt::LeftButton);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    QCOMPARE(lines.size(), 5);
    QVERIFY(lines[1].contains("\"Prova 2\";\"3\";\"4\";\"75,00\""));
    w.chooseCsvPath = [&](QWidget*) { return m_dir->filePath(QStringLiteral("missing/h.csv")); };
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("btExportar")), Qt::LeftButton);
    QCOMPARE(m_messages.texts.size(), 1);
    // Only the export that worked is confirmed, naming its file.
    QCOMPARE(m_messages.offers.size(), 1);
    QVERIFY(m_messages.offers[0].contains(QDir::toNativeSeparators(path)));
    QCOMPARE(m_messages.offerActions, QStringList{QStringLiteral("Abrir pasta")});
    QLocale::setDefault(QLocale::c());
}

void TestTformHistorico::unavailableStoreSaysWhy()
{
    QFile blocker(m_dir->filePath(QStringLiteral("x")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    AttemptStore broken(m_dir->filePath(QStringLiteral("x/a.sqlite")));
    QVERIFY(!broken.open());
    gui::TformHistorico w(&broken, &m_messages, QStringLiteral("Zelvora"));
    auto* aviso = w.findChild<QLabel*>(QStringLiteral("lAviso"));
    QVERIFY(!aviso->isHidden());
    QVERIFY(aviso->text().contains(QStringLiteral("não pode ser criada")));
    QVERIFY(!w.findChild<QPushButton*>(QStringLiteral("btExportar"))->isEnabled());
    w.setStore(m_store.get());
    QVERIFY(aviso->isHidden());
    QCOMPARE(w.model().rowCount(), 3);
}

void TestTformHistorico::myDataGoToAnotherComputer()
{
    gui::TformHistorico w(m_store.get(), &m_messages, QStringLiteral("Zelvora"));
    w.resize(1024, 640);
    w.show();
    const QString zip = m_dir->filePath(QStringLiteral("meus-dados.zip"));
    w.chooseExportPath = [&](QWidget*) { return zip; };
    auto* exportar = w.findChild<QPushButton*>(QStringLiteral("btExportarDados"));
    auto* importar = w.findChild<QPushButton*>(QStringLiteral("btImportarDados"));
    // The table's own buttons keep their row; the new ones sit left of them.
    QVERIFY(exportar->geometry().right() < w.findChild<QPushButton*>(QStringLiteral("btExcluir"))->geometry().left());
    QCOMPARE(exportar->geometry().top(), w.findChild<QPushButton*>(QStringLiteral("btFechar"))->geometry().top());
    QTest::mouseClick(exportar, Qt::LeftButton);
    QCOMPARE(m_messages.texts.size(), 1);
    QVERIFY2(m_messages.texts[0].contains(QStringLiteral("exportados")), qPrintable(m_messages.texts[0]));

    QTemporaryDir other;
    AttemptStore theirs(other.filePath(QStringLiteral("attempts.sqlite")));
    QVERIFY(theirs.open());
    w.setStore(&theirs);
    QCOMPARE(w.model().rowCount(), 0);
    w.chooseImportPath = [&](QWidget*) { return zip; };
    QTest::mouseClick(importar, Qt::LeftButton);
    QCOMPARE(w.model().rowCount(), 3);
    QVERIFY2(m_messages.texts.last().contains(QStringLiteral("3 tentativa(s) acrescentada(s)")),
             qPrintable(m_messages.texts.last()));
    w.chooseImportPath = [&](QWidget*) { return m_dir->filePath(QStringLiteral("a.sqlite")); };
    QTest::mouseClick(importar, Qt::LeftButton);
    QVERIFY2(m_messages.texts.last().startsWith(QStringLiteral("Não foi possível")),
             qPrintable(m_messages.texts.last()));
    QCOMPARE(w.model().rowCount(), 3);
}

// The cut-off of a paper's info file drawn across the chart, at its share of
// the paper's maximum points.
void TestTformHistorico::cutoffLine_data()
{
    QTest::addColumn<QByteArray>("info"); // empty: no info file
    QTest::addColumn<QString>("name"); // empty: no line
    QTest::addColumn<double>("percentage");
    QTest::newRow("no info file") << QByteArray() << QString() << 0.0;
    QTest::newRow("info without a cut-off") << QByteArray("pontuacao=anula") << QString() << 0.0;
    QTest::newRow("cut-off of 3 in 4") << QByteArray("corte=3") << "Nota de corte: 3 de 4 pontos (75,00%)" << 75.0;
    QTest::newRow("weighted, a decimal cut-off")
        << QByteArray("bloco=A: 1-2; peso=2\ncorte=2,5") << "Nota de corte: 2,5 de 6 pontos (41,67%)" << 41.67;
}

void TestTformHistorico::cutoffLine()
{
    QFETCH(QByteArray, info);
    QFETCH(QString, name);
    QFETCH(double, percentage);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    const auto write = [this](const char* file, const QByteArray& bytes) {
        QFile f(m_dir->filePath(QString::fromLatin1(file)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write("c.txt", "1\r\n2\r\n3\r\n4\r\n");
    if (!info.isEmpty())
        write("c.ini", info);
    const PaperIdentity paper{m_dir->filePath(QStringLiteral("c.pdf")), QStringLiteral("/d/"), QStringLiteral("k")};
    const qint64 id = m_store->begin(paper, QStringLiteral("Corte"), 4).value();
    m_store->finish(id, 60, 2);
    gui::TformHistorico w(m_store.get(), &m_messages, QStringLiteral("Zelvora"));
    w.show();
    w.findChild<QTableView*>(QStringLiteral("gridHistorico"))->selectRow(w.model().rowOf(id));
    QCOMPARE(w.selectedAttemptId(), id);
    auto* chart = w.findChild<QChartView*>(QStringLiteral("chartEvolucao"))->chart();
    QLineSeries* cutoff = nullptr;
    for (QAbstractSeries* s : chart->series())
        if (s->objectName() == QLatin1String("serieCorte"))
            cutoff = qobject_cast<QLineSeries*>(s);
    QCOMPARE(cutoff != nullptr, !name.isEmpty());
    if (cutoff) {
        QCOMPARE(cutoff->name(), name);
        QCOMPARE(qRound(cutoff->at(0).y() * 100), qRound(percentage * 100));
        QCOMPARE(cutoff->at(1).y(), cutoff->at(0).y());
    }
    QLocale::setDefault(QLocale::c());
}

void TestTformHistorico::chartShowsEveryPointWhole_data()
{
    QTest::addColumn<int>("row"); // newest first: row 0 is Prova 2, row 1 Prova 1
    QTest::addColumn<int>("points");
    QTest::newRow("a single attempt") << 0 << 1;
    QTest::newRow("two attempts") << 1 << 2;
}

// The plot takes most of the chart's height; every attempt is a point that
// lies inside the axes' ranges, not on their edges, one attempt included.
void TestTformHistorico::chartShowsEveryPointWhole()
{
    QFETCH(int, row);
    QFETCH(int, points);
    gui::TformHistorico w(m_store.get(), &m_messages, QStringLiteral("Zelvora"));
    w.resize(900, 640);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.findChild<QTableView*>(QStringLiteral("gridHistorico"))->selectRow(row);
    auto* view = w.findChild<QChartView*>(QStringLiteral("chartEvolucao"));
    QChart* chart = view->chart();
    QTRY_VERIFY(chart->plotArea().height() > 0);
    QVERIFY2(chart->plotArea().height() >= 0.6 * view->height(),
             qPrintable(QStringLiteral("%1 of %2").arg(chart->plotArea().height()).arg(view->height())));
    QScatterSeries* scatter = nullptr;
    for (QAbstractSeries* s : chart->series())
        if (auto* sc = qobject_cast<QScatterSeries*>(s))
            scatter = sc;
    QVERIFY(scatter);
    QCOMPARE(scatter->count(), points);
    const auto* x = qobject_cast<QValueAxis*>(chart->axes(Qt::Horizontal).first());
    const auto* y = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).first());
    for (const QPointF& p : scatter->points()) {
        QVERIFY(p.x() > x->min() && p.x() < x->max());
        QVERIFY(p.y() > y->min() && p.y() < y->max());
        // Room for the marker's half on either side of it.
        const QPointF at = chart->mapToPosition(p, scatter);
        QVERIFY(chart->plotArea().adjusted(4, 4, -4, -4).contains(at));
    }
}

void TestTformHistorico::opensCentredOnTheScreen()
{
    app::AppContext ctx;
    ctx.attempts = m_store.get();
    ctx.messages = &m_messages;
    gui::TformHistorico* window = nullptr;
    std::unique_ptr<gui::TformHistorico> w(gui::TformHistorico::Open(ctx, window));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint centre = w->frameGeometry().center();
    QVERIFY2((centre - screen.center()).manhattanLength() <= 4,
             qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
    QVERIFY2(screen.contains(w->frameGeometry()) || w->minimumSizeHint().width() > screen.width(),
             qPrintable(QStringLiteral("%1,%2 %3x%4 min %5")
                            .arg(w->frameGeometry().x())
                            .arg(w->frameGeometry().y())
                            .arg(w->frameGeometry().width())
                            .arg(w->frameGeometry().height())
                            .arg(w->minimumSizeHint().width())));
}

QTEST_MAIN(TestTformHistorico)
#include "tst_TformHistorico.moc"
