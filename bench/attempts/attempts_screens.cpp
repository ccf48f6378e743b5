// Takes the documentation's screenshots of the history window and of the
// question to continue an interrupted attempt, on a real display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/attempts_screens
//     docs/screenshot-history.png docs/screenshot-resume.png
// The history shows a store of sample attempts made in a temporary folder;
// the question is the real one, over the exam window on build/bin/dados: a
// paper is started and answered, its windows dropped as a killed program's
// would be, and the paper started again.
#include "support/SampleExamWindows.h"

#include "app/FindControl.h"
#include "app/MessageBoxes.h"
#include "app/TFocusImage.h"
#include "app/TformAguarde.h"
#include "attempts/AttemptStore.h"
#include "attempts/TformHistorico.h"
#include "mockexam/TformResultado.h"
#include "mockexam/TformSimul.h"
#include "text/PtBrCollation.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QRadioButton>

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

using namespace zelvora;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    if (argc < 3) {
        std::fprintf(stderr, "usage: attempts_screens <history.png> <resume.png>\n");
        return 2;
    }
    QTemporaryDir dir;
    QDateTime now(QDate(2026, 11, 2), QTime(19, 30), Qt::UTC);
    attempts::AttemptStore store(dir.filePath(QStringLiteral("attempts.sqlite")), [&now] { return now; });
    if (!store.open())
        return 1;
    struct Paper {
        const char* name;
        const char* pdf;
        int questions;
    };
    const Paper papers[] = {{"Auditor Fiscal - 2010", "auditor-fiscal-2010.pdf", 60},
                            {"Técnico Judiciário - 2008", "tecnico-2008.pdf", 50},
                            {"Analista de Sistemas - 2012", "analista-2012.pdf", 70}};
    // Hits of each attempt, paper by paper, oldest first.
    const std::vector<std::vector<int>> hits = {{27, 31, 30, 36, 41, 39, 45, 48}, {22, 29, 33}, {35, 44}};
    int day = 0;
    for (size_t round = 0; round < 8; ++round) {
        for (size_t p = 0; p < 3; ++p) {
            if (round >= hits[p].size())
                continue;
            now = QDateTime(QDate(2026, 9, 1).addDays(day += 3), QTime(19, 0), Qt::UTC);
            const attempts::PaperIdentity id{QStringLiteral("/opt/zelvora/dados/simu/")
                                                 + QString::fromUtf8(papers[p].pdf),
                                             QStringLiteral("/opt/zelvora/dados/"), QStringLiteral("k%1").arg(p)};
            const auto a = store.begin(id, QString::fromUtf8(papers[p].name), papers[p].questions);
            const int h = hits[p][round];
            store.finish(*a, 5400 + h * 37, h);
        }
    }
    now = now.addDays(2);
    const attempts::PaperIdentity first{QStringLiteral("/opt/zelvora/dados/simu/auditor-fiscal-2010.pdf"),
                                        QStringLiteral("/opt/zelvora/dados/"), QStringLiteral("k0")};
    const auto open = store.begin(first, QStringLiteral("Auditor Fiscal - 2010"), 60);
    store.recordAnswer(*open, 0, "2", 23, 17);
    store.recordProgress(*open, 2710, 23);

    app::QtMessageBoxes messages;
    gui::TformHistorico history(&store, &messages, QStringLiteral("Zelvora"));
    history.resize(960, 680);
    history.show();
    if (!QTest::qWaitForWindowExposed(&history))
        return 1;
    // The newest finished attempt of the first paper: its chart has eight points.
    for (const auto& a : history.model().attempts()) {
        if (a.finished && a.paper == first) {
            history.selectAttempt(a.id);
            break;
        }
    }
    QTest::qWait(300);
    if (!history.grab().save(QString::fromLocal8Bit(argv[1])))
        return 1;
    history.hide();

    // The question to continue, over the exam window.
    SampleContext sample;
    auto& ctx = sample.ctx;
    attempts::AttemptStore examStore(dir.filePath(QStringLiteral("exam.sqlite")));
    if (!examStore.open())
        return 1;
    ctx.attempts = &examStore;
    const QString paper = QStringLiteral("Auditor Fiscal");
    {
        ExamWindows first(ctx);
        if (!first.start(paper))
            return 1;
        RunFor(500);
        for (int q = 0; q < 17; ++q) {
            Control<QGroupBox>(&first.simul, "rgResposta")->findChildren<QRadioButton*>().at((q * 3) % 5)->click();
            QTest::mouseClick(Control<gui::TFocusImage>(&first.simul, "btProxima"), Qt::LeftButton);
        }
        RunFor(10500); // the clock is written every ten seconds
        ctx.windows = {};
    }
    ExamWindows second(ctx);
    bool saved = false;
    QTimer::singleShot(1200, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            const QRect around = box->frameGeometry().adjusted(-220, -140, 220, 140);
            saved = QGuiApplication::primaryScreen()
                        ->grabWindow(0, around.x(), around.y(), around.width(), around.height())
                        .save(QString::fromLocal8Bit(argv[2]));
            QTest::keyClick(box, Qt::Key_Escape);
        }
    });
    if (!second.start(paper))
        return 1;
    ctx.windows = {};
    return saved ? 0 : 1;
}
