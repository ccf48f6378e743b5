// Measures the mock-exam window with its real PDF viewer and clock:
//  1. time from the click on the start button to the first page of a
//     60-question paper painted on screen (cold: first paper of the process;
//     warm: the same paper in fresh windows afterwards);
//  2. resident memory while ten papers are opened, finished and closed in a
//     row, six times over.
#include "ExamFolder.h"

#include "app/AppContext.h"
#include "app/FindControl.h"
#include "app/TFocusImage.h"
#include "app/TformAguarde.h"
#include "mockexam/TformResultado.h"
#include "mockexam/TformSimul.h"
#include "mockexam/TPdfViewer.h"
#include "text/PtBrCollation.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPdfView>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace zelvora;
using namespace zelvora::gui;

namespace {

long RssKiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

struct Windows {
    app::AppContext& ctx;
    std::unique_ptr<TformAguarde> aguarde;
    std::unique_ptr<TformResultado> resultado;
    std::unique_ptr<TformSimul> simul;

    explicit Windows(app::AppContext& c) : ctx(c)
    {
        aguarde = std::make_unique<TformAguarde>(ctx);
        aguarde->FormCreate();
        ctx.windows.aguarde = aguarde.get();
        simul = std::make_unique<TformSimul>(ctx);
        resultado = std::make_unique<TformResultado>(ctx);
        resultado->FormCreate();
        simul->setResultsWindow(resultado.get());
        simul->FormCreate();
    }
    ~Windows()
    {
        ctx.windows = {};
        simul->FormDestroy();
        simul.reset();
        resultado.reset();
        aguarde.reset();
    }
};

// True once the top of the PDF area shows dark pixels: the text of page 1.
bool FirstPagePainted(TformSimul& simul)
{
    QWidget* viewport = Control<TPdfViewer>(&simul, "PDF")->view()->viewport();
    if (!Control<TPdfViewer>(&simul, "PDF")->isVisible())
        return false;
    const QImage shot = viewport->grab(QRect(0, 0, viewport->width(), qMin(400, viewport->height()))).toImage();
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2)
            if (qGray(shot.pixel(x, y)) < 80)
                return true;
    return false;
}

// Picks the paper, clicks start and waits for its first page; milliseconds.
double StartAndWait(TformSimul& simul, int item)
{
    Control<QComboBox>(&simul, "comboProva")->setCurrentIndex(item);
    emit Control<QComboBox>(&simul, "comboProva")->activated(item);
    QElapsedTimer t;
    t.start();
    QTest::mouseClick(Control<TFocusImage>(&simul, "btInicio"), Qt::LeftButton);
    while (!FirstPagePainted(simul)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        if (t.elapsed() > 20000)
            return -1;
    }
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    // The offscreen platform warns about every raise(); nothing to see here.
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.contains(QStringLiteral("does not support raise()")))
            previous(type, context, text);
    });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApp(argc, argv);

    ExamFolder own;
    text::PtBrCollation collation;
    app::AppContext ctx;
    ctx.collation = &collation;
    ctx.processEvents = [] { QCoreApplication::processEvents(); };
    const QString sample = QCoreApplication::applicationDirPath() + QStringLiteral("/dados/");
    QString paperName;
    if (QFile::exists(sample + QStringLiteral("simu/auditor-fiscal-2010.txt"))) {
        ctx.dataFolder = sample;
        paperName = QStringLiteral("Auditor Fiscal");
    } else {
        // A paper of 60 questions on 12 pages, written here.
        QStringList key;
        for (int i = 0; i < 60; ++i)
            key << QString::number(i % 5 + 1);
        own.write(QStringLiteral("lista.txt"), "Prova de 60#p60.pdf\r\nOutra#p2.pdf\r\n");
        own.writePdf(QStringLiteral("p60.pdf"), QStringLiteral("Prova de 60"), 12);
        own.writeKey(QStringLiteral("p60.txt"), key);
        own.writePdf(QStringLiteral("p2.pdf"), QStringLiteral("Outra"), 3);
        own.writeKey(QStringLiteral("p2.txt"), key.mid(0, 20));
        ctx.dataFolder = own.dataFolder();
        paperName = QStringLiteral("Prova de 60");
    }
    ctx.mockExamFolder = ctx.dataFolder + QStringLiteral("simu/");
    std::printf("data folder: %s\n", qPrintable(ctx.dataFolder));

    // 1. Start click to first painted page.
    std::vector<double> warm;
    double cold = 0;
    for (int run = 0; run < 11; ++run) {
        Windows w(ctx);
        w.simul->show();
        if (!QTest::qWaitForWindowExposed(w.simul.get()))
            std::fprintf(stderr, "window not exposed\n");
        int item = -1;
        for (int i = 0; i < Control<QComboBox>(w.simul.get(), "comboProva")->count(); ++i)
            if (Control<QComboBox>(w.simul.get(), "comboProva")->itemText(i).startsWith(paperName))
                item = i;
        if (item < 0) {
            std::fprintf(stderr, "paper %s not found\n", qPrintable(paperName));
            return 1;
        }
        const double ms = StartAndWait(*w.simul, item);
        if (ms < 0 || Control<QComboBox>(w.simul.get(), "cbQuestao")->count() != 60) {
            std::fprintf(stderr, "paper did not open (%d questions)\n",
                         Control<QComboBox>(w.simul.get(), "cbQuestao")->count());
            return 1;
        }
        if (run == 0)
            cold = ms;
        else
            warm.push_back(ms);
    }
    std::sort(warm.begin(), warm.end());
    std::printf("start click -> first page painted, 60-question paper (%dx%d window):\n",
                QGuiApplication::primaryScreen()->size().width(), QGuiApplication::primaryScreen()->size().height());
    std::printf("  cold (first in process): %.1f ms\n", cold);
    std::printf("  warm: median %.1f ms, min %.1f ms, max %.1f ms (%zu runs)\n", warm[warm.size() / 2], warm.front(),
                warm.back(), warm.size());

    // 2. Ten papers opened, finished and closed in a row, six rounds.
    Windows w(ctx);
    const long before = RssKiB();
    std::printf("memory (VmRSS) over papers opened, finished and closed in one window:\n");
    std::printf("  before: %ld KiB\n", before);
    for (int round = 1; round <= 6; ++round) {
        for (int i = 0; i < 10; ++i) {
            w.simul->show();
            const int item = i % Control<QComboBox>(w.simul.get(), "comboProva")->count();
            if (StartAndWait(*w.simul, item) < 0) {
                std::fprintf(stderr, "paper %d did not open\n", item);
                return 1;
            }
            QTest::mouseClick(Control<TFocusImage>(w.simul.get(), "btFim"), Qt::LeftButton);
            w.resultado->close();
            QCoreApplication::processEvents();
        }
        // Let deferred deletions of replaced documents run.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        std::printf("  after %2d papers: %ld KiB\n", round * 10, RssKiB());
    }
    return 0;
}
