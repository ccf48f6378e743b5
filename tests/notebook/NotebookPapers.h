#pragma once
// Papers on disk and a store with its notebook on an injected clock, for the
// notebook's tests.
#include "attempts/AttemptStore.h"
#include "notebook/Notebook.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

using zelvora::attempts::AttemptStore;
using zelvora::attempts::PaperIdentity;
using zelvora::notebook::Notebook;
using zelvora::notebook::NotebookItem;

// A paper on disk: a PDF (its bytes do not matter here), its key and,
// optionally, its info file.
inline PaperIdentity WritePaper(const QTemporaryDir& dir, const QString& stem, const QStringList& key,
                                const QString& info = {})
{
    const QString base = dir.filePath(QStringLiteral("simu/") + stem);
    QDir().mkpath(dir.filePath(QStringLiteral("simu")));
    QFile pdf(base + QStringLiteral(".pdf"));
    pdf.open(QIODevice::WriteOnly);
    pdf.write("%PDF-1.4\n");
    pdf.close();
    const QByteArray keyBytes = key.join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
    QFile k(base + QStringLiteral(".txt"));
    k.open(QIODevice::WriteOnly);
    k.write(keyBytes);
    k.close();
    if (!info.isEmpty()) {
        QFile i(base + QStringLiteral(".ini"));
        i.open(QIODevice::WriteOnly);
        i.write(info.toLatin1());
    }
    return {base + QStringLiteral(".pdf"), dir.path() + QLatin1Char('/'), PaperIdentity::HashKey(keyBytes)};
}

struct NotebookFixture {
    QTemporaryDir dir;
    QDateTime now = QDateTime(QDate(2026, 3, 2), QTime(12, 0), Qt::LocalTime);
    AttemptStore store{dir.filePath(QStringLiteral("attempts.sqlite")), [this] { return now; }};
    Notebook notebook{store, [this] { return now; }};

    // A finished attempt with these answers ("#" blank), one minute later
    // than the previous one.
    qint64 finish(const PaperIdentity& paper, const QString& name, const QStringList& answers, int hits = 0)
    {
        now = now.addSecs(60);
        const auto id = store.begin(paper, name, int(answers.size()));
        for (int q = 0; q < answers.size(); ++q)
            if (answers[q] != QLatin1String("#"))
                store.recordAnswer(*id, q, answers[q].toStdString(), q, 0);
        store.finish(*id, 90, hits);
        return *id;
    }
    std::vector<NotebookItem> items()
    {
        auto read = notebook.items();
        if (!read)
            qWarning("notebook: %d %s", int(read.code()), read.detail().c_str());
        return read ? read.value() : std::vector<NotebookItem>{};
    }
};
