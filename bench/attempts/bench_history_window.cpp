// Time to open the history window on a store that bench_attempts filled:
// reading the store, filling the table and the chart, and the first paint.
// Usage: QT_QPA_PLATFORM=offscreen bench_history_window <folder of attempts.sqlite>
#include "app/MessageBoxes.h"
#include "attempts/AttemptStore.h"
#include "attempts/TformHistorico.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

using namespace zelvora;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_history_window <folder>\n");
        return 2;
    }
    app::QtMessageBoxes messages;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer t;
        t.start();
        attempts::AttemptStore store(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/attempts.sqlite"));
        if (const auto opened = store.open(); !opened) {
            std::fprintf(stderr, "%s\n", opened.detail().c_str());
            return 1;
        }
        gui::TformHistorico w(&store, &messages, QStringLiteral("Zelvora"));
        w.show();
        w.grab(); // paints the table and the chart once
        std::printf("history window with %d attempts: open, fill, first paint %.1f ms\n", w.model().rowCount(),
                    double(t.nsecsElapsed()) / 1e6);
    }
    return 0;
}
