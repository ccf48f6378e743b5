// bench_keypdf [runs]: writes a 20-page answer key with 30 posts (right/wrong
// grids of 120 items and multiple-choice pair tables of 60 questions, with
// page headers, footers and a watermark), then times, best of the runs:
// the program's reader (AnswerKeyPdf::Read: open, text and boxes of every
// page, lines rebuilt, layouts read), Qt PDF's getAllText over every page of
// the same file alone, and `pdftotext -layout` when it is installed.
#include "KeyPdfMaker.h"

#include "mockexam/AnswerKeyPdf.h"

#include "support/BestTime.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

std::vector<KeyPage> MakeKey()
{
    std::vector<KeyPage> pages(20);
    int post = 0;
    for (int p = 0; p < 20; ++p) {
        KeyPage& page = pages[size_t(p)];
        page.push_back({40, 30, QStringLiteral("CONCURSO PÚBLICO - EDITAL Nº 1/2024 - GABARITO DEFINITIVO")});
        page.push_back({500, 820, QStringLiteral("Página %1 de 20").arg(p + 1)});
        page.push_back({100, 650, QStringLiteral("PRELIMINAR"), 80, -40});
        // One or two posts a page: 30 in all.
        const int posts = p % 2 == 0 ? 2 : 1;
        double y = 60;
        for (int k = 0; k < posts; ++k, ++post) {
            page.push_back({40, y, QStringLiteral("CARGO %1: ANALISTA DE ÁREA %2").arg(post + 1).arg(post + 1), 12});
            y += 20;
            if (post % 2 == 0) {
                for (int row = 0; row < 6; ++row) {
                    page.push_back({40, y, QStringLiteral("Item")});
                    page.push_back({40, y + 13, QStringLiteral("Gabarito")});
                    for (int i = 0; i < 20; ++i) {
                        const int n = row * 20 + i + 1;
                        page.push_back({100 + 22.0 * i, y, QString::number(n), 8});
                        page.push_back({102 + 22.0 * i, y + 13,
                                        (n * 7 + post) % 17 == 0
                                            ? QStringLiteral("X")
                                            : ((n * 3 + post) % 2 ? QStringLiteral("C") : QStringLiteral("E")),
                                        8});
                    }
                    y += 32;
                }
            } else {
                for (int row = 0; row < 15; ++row) {
                    QString line;
                    for (int col = 0; col < 4; ++col) {
                        const int n = col * 15 + row + 1;
                        page.push_back({40 + 120.0 * col, y,
                                        QStringLiteral("%1 - %2")
                                            .arg(n, 2, 10, QLatin1Char('0'))
                                            .arg(QChar('A' + (n + post) % 5))});
                    }
                    y += 14;
                }
            }
            y += 16;
        }
    }
    return pages;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gabarito.pdf"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(KeyPdfMaker::Write(MakeKey())) <= 0)
            return 1;
    }

    size_t sections = 0, answers = 0;
    const double reader = BestMs(runs, [&] {
        const auto sheet = zelvora::mockexam::AnswerKeyPdf::Read(path);
        sections = sheet ? sheet->sections.size() : 0;
        answers = 0;
        if (sheet)
            for (const auto& s : sheet->sections)
                answers += s.answers.size();
    });
    // From memory, as the reader opens a file (PaperDocument), so only the
    // work after reading the bytes is compared.
    const double qtText = BestMs(runs, [&] {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QByteArray bytes = file.readAll();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QPdfDocument document;
        document.load(&buffer);
        qsizetype chars = 0;
        for (int p = 0; p < document.pageCount(); ++p)
            chars += document.getAllText(p).text().size();
        if (chars == 0)
            std::fputs("no text\n", stderr);
    });
    std::printf("key: 20 pages, %zu sections read, %zu answers\n", sections, answers);
    std::printf("AnswerKeyPdf::Read          %8.1f ms (best of %d)\n", reader, runs);
    std::printf("QPdfDocument::getAllText    %8.1f ms   ratio %.2f\n", qtText, reader / qtText);
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (!pdftotext.isEmpty()) {
        const double poppler = BestMs(runs, [&] {
            QProcess::execute(pdftotext, {QStringLiteral("-layout"), path, dir.filePath(QStringLiteral("out.txt"))});
        });
        std::printf("pdftotext -layout           %8.1f ms   ratio %.2f\n", poppler, reader / poppler);
    } else {
        std::printf("pdftotext: not installed (poppler-utils)\n");
    }
    return sections == 30 ? 0 : 1;
}
