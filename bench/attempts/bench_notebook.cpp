// The mistakes notebook over a store of 10,000 finished attempts of 60
// questions at 40 papers (keys and info files on disk, four subjects each):
// folding every attempt in the first time (a store from before the
// notebook), opening the notebook (reading it and building the window's
// table and filters, and the window itself), and how soon it is up to date
// after one more attempt is finished. Run build/bin/bench_notebook [folder].
#include "attempts/AttemptStore.h"
#include "notebook/Notebook.h"
#include "notebook/NotebookStats.h"
#include "notebook/NotebookTableModel.h"
#include "notebook/TformCaderno.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

using namespace zelvora;
using attempts::AttemptStore;
using attempts::PaperIdentity;

namespace {

constexpr int Attempts = 10000;
constexpr int Questions = 60;
constexpr int Papers = 40;

double Ms(qint64 ns)
{
    return double(ns) / 1e6;
}

PaperIdentity WritePaper(const QString& folder, int n)
{
    const QString base = QStringLiteral("%1/simu/prova%2").arg(folder).arg(n);
    QByteArray key;
    for (int q = 0; q < Questions; ++q)
        key += QByteArray::number((q * 7 + n) % 5 + 1) + "\r\n";
    QFile k(base + QStringLiteral(".txt"));
    k.open(QIODevice::WriteOnly);
    k.write(key);
    QFile i(base + QStringLiteral(".ini"));
    i.open(QIODevice::WriteOnly);
    i.write("disciplina=Portugu\xeas: 1-15\r\ndisciplina=Direito: 16-30\r\n"
            "disciplina=Inform\xe1tica: 31-45\r\ndisciplina=Matem\xe1tica: 46-60\r\n");
    QFile p(base + QStringLiteral(".pdf"));
    p.open(QIODevice::WriteOnly);
    p.write("%PDF-1.4\n");
    return {base + QStringLiteral(".pdf"), folder + QLatin1Char('/'), PaperIdentity::HashKey(key)};
}

QString NameOf(int n)
{
    static const char* const boards[] = {"Banca Guará", "Fundação Ventania", "Centro Carnaúba", "Comissão Ipê-Roxo"};
    return QStringLiteral("Técnico %1 - %2 - %3").arg(n).arg(QString::fromUtf8(boards[n % 4])).arg(2004 + n % 7);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QTemporaryDir tmp;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : tmp.path();
    QDir().mkpath(folder + QStringLiteral("/simu"));
    const QString path = folder + QStringLiteral("/attempts.sqlite");
    QFile::remove(path);
    std::vector<PaperIdentity> papers;
    for (int n = 0; n < Papers; ++n)
        papers.push_back(WritePaper(folder, n));

    // The attempts and their 600,000 answers in one transaction through a
    // plain connection: the store's own per-answer transactions would take
    // minutes here and measure nothing of the notebook.
    QElapsedTimer fill;
    fill.start();
    {
        AttemptStore store(path);
        if (!store.open()) {
            std::fprintf(stderr, "cannot open %s\n", qPrintable(path));
            return 1;
        }
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(path);
        db.open();
        db.transaction();
        QSqlQuery a(db), q(db);
        a.prepare(QStringLiteral("INSERT INTO attempt (id, paper_name, pdf_path, data_folder, key_hash, question_count,"
                                 " started_at, ended_at, saved_at, elapsed_seconds, answered, hits, finished)"
                                 " VALUES (?, ?, ?, ?, ?, 60, ?, ?, ?, ?, 60, ?, 1)"));
        q.prepare(QStringLiteral("INSERT INTO answer (attempt_id, question, answer) VALUES (?, ?, ?)"));
        std::mt19937 random(7);
        const qint64 start = QDateTime(QDate(2025, 1, 1), QTime(9, 0), Qt::UTC).toMSecsSinceEpoch();
        for (int i = 1; i <= Attempts; ++i) {
            const int n = i % Papers;
            const qint64 t = start + qint64(i) * 3600 * 1000;
            a.addBindValue(i);
            a.addBindValue(NameOf(n));
            a.addBindValue(papers[size_t(n)].pdfPath);
            a.addBindValue(papers[size_t(n)].dataFolder);
            a.addBindValue(papers[size_t(n)].keyHash);
            a.addBindValue(t);
            a.addBindValue(t + 3600 * 1000);
            a.addBindValue(t + 3600 * 1000);
            a.addBindValue(3600);
            a.addBindValue(36);
            a.exec();
            for (int k = 0; k < Questions; ++k) {
                q.addBindValue(i);
                q.addBindValue(k);
                // About six in ten right.
                const int right = (k * 7 + n) % 5 + 1;
                q.addBindValue(QString::number(random() % 10 < 6 ? right : int(random() % 5) + 1));
                q.exec();
            }
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    std::printf("filled %d attempts of %d answers in %.0f ms\n", Attempts, Questions, Ms(fill.nsecsElapsed()));

    {
        AttemptStore store(path);
        store.open();
        notebook::Notebook nb(store);
        QElapsedTimer t;
        t.start();
        const auto folded = nb.catchUp();
        std::printf("first fold-in of %d attempts (a store from before the notebook): %.0f ms\n",
                    folded ? folded.value() : -1, Ms(t.nsecsElapsed()));
    }

    for (int round = 0; round < 3; ++round) {
        QElapsedTimer t;
        t.start();
        AttemptStore store(path);
        store.open();
        notebook::Notebook nb(store);
        const qint64 opened = t.nsecsElapsed();
        auto items = nb.items();
        const size_t count = items ? items->size() : 0;
        const qint64 read = t.nsecsElapsed();
        notebook::NotebookTableModel model;
        model.setItems(std::move(items).value(), nb.today());
        for (auto field : notebook::NotebookFilter::Fields)
            model.filter().counts(model.allItems(), field);
        const qint64 table = t.nsecsElapsed();
        gui::TformCaderno window(&nb, nullptr, QStringLiteral("Zelvora"));
        window.show();
        QCoreApplication::processEvents();
        const qint64 shown = t.nsecsElapsed();
        const auto stats = notebook::NotebookStats::Compute(nb);
        const qint64 statistics = t.nsecsElapsed();
        std::printf("open store %.1f ms, read %zu notebook questions %.1f ms, table and filter counts %.1f ms"
                    " (core total %.1f ms); window made and shown %.1f ms (total %.1f ms); statistics %.1f ms\n",
                    Ms(opened), count, Ms(read - opened), Ms(table - read), Ms(table), Ms(shown - table), Ms(shown),
                    Ms(statistics - shown));
    }

    // One more attempt finished: the store's hook folds it in, as the
    // program wires it, and the open window reads the notebook again.
    AttemptStore store(path);
    store.open();
    notebook::Notebook nb(store);
    gui::TformCaderno window(&nb, nullptr, QStringLiteral("Zelvora"));
    window.show();
    QCoreApplication::processEvents();
    std::vector<qint64> foldTimes, reloadTimes;
    store.onFinished = [&](qint64) {
        QElapsedTimer t;
        t.start();
        nb.catchUp();
        foldTimes.push_back(t.nsecsElapsed());
        window.reload();
        reloadTimes.push_back(t.nsecsElapsed());
    };
    std::vector<qint64> totals;
    for (int i = 0; i < 20; ++i) {
        const int n = i % Papers;
        const auto id = store.begin(papers[size_t(n)], NameOf(n), Questions);
        for (int k = 0; k < Questions; ++k)
            store.recordAnswer(*id, k, std::to_string((k + i) % 5 + 1), k, 0);
        QElapsedTimer t;
        t.start();
        store.finish(*id, 3000, 10);
        totals.push_back(t.nsecsElapsed());
    }
    auto median = [](std::vector<qint64> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    auto worst = [](const std::vector<qint64>& v) { return *std::max_element(v.begin(), v.end()); };
    std::printf("finishing one attempt (20 runs): folded in median %.1f ms (worst %.1f), window up to date median"
                " %.1f ms (worst %.1f), whole finish call median %.1f ms (worst %.1f)\n",
                Ms(median(foldTimes)), Ms(worst(foldTimes)), Ms(median(reloadTimes)), Ms(worst(reloadTimes)),
                Ms(median(totals)), Ms(worst(totals)));
    return 0;
}
