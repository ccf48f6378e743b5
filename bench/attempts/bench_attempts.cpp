// Fills a store with 10,000 finished attempts of 60 questions, then measures
// opening it and loading the history table, and the time to record one answer
// (1,000 answers, median and worst).
#include "attempts/AttemptRecorder.h"
#include "attempts/AttemptStore.h"
#include "attempts/HistoryModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace zelvora::attempts;

namespace {

constexpr int Attempts = 10000;
constexpr int Questions = 60;

double Ms(qint64 ns)
{
    return double(ns) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir tmp;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : tmp.path();
    const QString path = folder + QStringLiteral("/attempts.sqlite");
    QFile::remove(path);

    std::vector<std::string> key(Questions);
    for (int q = 0; q < Questions; ++q)
        key[size_t(q)] = std::to_string(q % 5 + 1);

    QElapsedTimer fill;
    fill.start();
    {
        AttemptStore store(path);
        if (const auto opened = store.open(); !opened) {
            std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(path), opened.detail().c_str());
            return 1;
        }
        for (int i = 0; i < Attempts; ++i) {
            const PaperIdentity paper{QStringLiteral("/dados/simu/prova%1.pdf").arg(i % 40), QStringLiteral("/dados/"),
                                      QStringLiteral("hash%1").arg(i % 40)};
            const auto id = store.begin(paper, QStringLiteral("Prova %1").arg(i % 40), Questions);
            // The answers of old attempts only matter to the file's size here;
            // one per attempt keeps the fill short.
            store.recordAnswer(id.value(), 0, "1", 0, 1);
            store.finish(id.value(), 3600 + i, (i * 7) % Questions);
        }
    }
    std::printf("filled %d attempts in %.0f ms\n", Attempts, Ms(fill.nsecsElapsed()));

    for (int round = 0; round < 3; ++round) {
        QElapsedTimer t;
        t.start();
        AttemptStore store(path);
        store.open();
        const qint64 opened = t.nsecsElapsed();
        HistoryModel model;
        model.reload(store);
        const qint64 loaded = t.nsecsElapsed();
        model.sort(HistoryModel::Percentage, Qt::DescendingOrder);
        const qint64 sorted = t.nsecsElapsed();
        std::printf("open %.1f ms, history of %d rows loaded %.1f ms (total %.1f ms), sort by percentage %.1f ms\n",
                    Ms(opened), model.rowCount(), Ms(loaded - opened), Ms(loaded), Ms(sorted - loaded));
    }

    AttemptStore store(path);
    store.open();
    AttemptRecorder recorder(&store);
    recorder.begin(PaperIdentity{QStringLiteral("/dados/simu/x.pdf"), QStringLiteral("/dados/"), QStringLiteral("k")},
                   QStringLiteral("X"), key);
    std::vector<std::string> answers(Questions, "#");
    std::vector<qint64> times;
    for (int i = 0; i < 1000; ++i) {
        const int q = i % Questions;
        answers[size_t(q)] = std::to_string(i % 5 + 1);
        QElapsedTimer t;
        t.start();
        recorder.answer(q, answers, q);
        times.push_back(t.nsecsElapsed());
    }
    std::sort(times.begin(), times.end());
    std::printf("record one answer (1,000): median %.3f ms, 90th %.3f ms, worst %.3f ms\n", Ms(times[500]),
                Ms(times[900]), Ms(times.back()));
    return 0;
}
