// Times the question map of a long paper against what Qt PDF takes to render
// the same pages: a paper of text (default 100 pages, four questions a page,
// full lines of body text between them) is written with QPdfWriter, then
//  1. read through PaperTextReader (Qt PDF's text with its boxes),
//  2. searched by QuestionFinder,
//  3. the whole QuestionMapper::Map (open, read, find),
//  4. every page rendered with QPdfDocument::render at 800 pixels wide, the
//     width of the exam window's paper on a 1024x768 screen.
// Best of the runs, wall clock.
#include "mockexam/PaperDocument.h"
#include "mockexam/PaperTextReader.h"
#include "mockexam/QuestionFinder.h"
#include "mockexam/QuestionMapper.h"

#include "support/BestTime.h"

#include <QElapsedTimer>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace zelvora::mockexam;

namespace {

void WritePaper(const QString& path, int pages)
{
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter(&writer);
    QFont body(QStringLiteral("Liberation Sans"));
    body.setPointSizeF(10);
    QFont bold = body;
    bold.setBold(true);
    int number = 1;
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            writer.newPage();
        painter.setFont(body);
        painter.drawText(QPointF(56, 30), QStringLiteral("CONCURSO PÚBLICO - PROVA OBJETIVA - CARGO 12"));
        painter.drawText(QPointF(290, 820), QString::number(p + 1));
        double y = 70;
        for (int q = 0; q < 4; ++q, ++number) {
            painter.setFont(bold);
            painter.drawText(QPointF(56, y), QStringLiteral("%1.").arg(number));
            painter.setFont(body);
            painter.drawText(QPointF(82, y), QStringLiteral("Considere o texto a seguir e assinale a opção correta."));
            y += 13;
            for (int line = 0; line < 12; ++line, y += 13)
                painter.drawText(QPointF(56, y),
                                 QStringLiteral("Texto corrido da prova com palavras comuns, %1 linhas de "
                                                "conteúdo e sem número no começo da linha.")
                                     .arg(line + 1));
            y += 14;
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const int pages = argc > 1 ? std::max(1, atoi(argv[1])) : 100;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("paper.pdf"));
    WritePaper(path, pages);

    auto paper = PaperDocument::Open(path);
    if (!paper) {
        std::fprintf(stderr, "the paper did not open\n");
        return 1;
    }
    QPdfDocument& document = *paper.value()->document();
    std::vector<PageText> text;
    const double read = BestMs(runs, [&] { text = PaperTextReader::ReadAll(document); });
    std::size_t found = 0;
    const double find = BestMs(runs, [&] { found = QuestionFinder::Find(text, pages * 4).size(); });
    const double map = BestMs(runs, [&] { QuestionMapper::Map(path, pages * 4); });
    const double render = BestMs(runs, [&] {
        for (int p = 0; p < document.pageCount(); ++p) {
            const QSizeF size = document.pagePointSize(p);
            const QImage image = document.render(p, QSize(800, int(800 * size.height() / size.width())));
            if (image.isNull())
                std::fprintf(stderr, "page %d did not render\n", p);
        }
    });
    std::printf("pages %d, questions found %zu of %d (best of %d)\n", pages, found, pages * 4, runs);
    std::printf("text with boxes      %8.1f ms\n", read);
    std::printf("finding              %8.1f ms\n", find);
    std::printf("QuestionMapper::Map  %8.1f ms\n", map);
    std::printf("render at 800 px     %8.1f ms\n", render);
    std::printf("map / render         %8.2f\n", map / render);
    return 0;
}
