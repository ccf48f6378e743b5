// Where questions start, found in PDFs written here with QPdfWriter: one row
// per layout of printed papers, and the traps that must not be taken for
// questions.
#include "mockexam/QuestionFinder.h"
#include "mockexam/QuestionMap.h"
#include "mockexam/QuestionMapper.h"

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

using zelvora::mockexam::PageText;
using zelvora::mockexam::PaperDocument;
using zelvora::mockexam::QuestionFinder;
using zelvora::mockexam::QuestionMap;
using zelvora::mockexam::QuestionMapper;
using zelvora::mockexam::QuestionPlace;

Q_DECLARE_METATYPE(std::vector<QuestionPlace>)

namespace {

// One piece of text: its left edge and the top of its line in points.
struct Item {
    double x;
    double y;
    QString text;
    bool bold = false;
    double size = 11;
};
using Page = std::vector<Item>;

QByteArray MakePdf(const std::vector<Page>& pages)
{
    QByteArray bytes;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.pdf"));
    {
        QPdfWriter writer(path);
        writer.setResolution(72);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter(&writer);
        for (std::size_t p = 0; p < pages.size(); ++p) {
            if (p > 0)
                writer.newPage();
            for (const Item& item : pages[p]) {
                QFont font(QStringLiteral("Liberation Sans"));
                font.setPointSizeF(item.size);
                font.setBold(item.bold);
                painter.setFont(font);
                painter.drawText(QRectF(item.x, item.y, 2000, 40), Qt::AlignLeft | Qt::AlignTop, item.text);
            }
        }
    }
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    return bytes;
}

std::vector<QuestionPlace> MapPdf(const QByteArray& pdf, int expected)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("paper.pdf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return {};
    file.close();
    const auto mapped = QuestionMapper::Map(path, expected);
    return mapped ? mapped->places : std::vector<QuestionPlace>{};
}

// A paragraph of body text: lines 14 pt apart, from y.
void Body(Page& page, double x, double& y, int lines,
          const QString& words = QStringLiteral("texto corrido da prova com palavras comuns e sem números"))
{
    for (int i = 0; i < lines; ++i) {
        page.push_back({x, y, words});
        y += 14;
    }
}

// A question in the "N." family: its number and text at x, then body lines.
void Numbered(Page& page, std::vector<QuestionPlace>& want, int pageIndex, double x, double& y, const QString& label,
              int number, bool bold = false, bool separate = false)
{
    if (separate) {
        page.push_back({x, y, label, bold});
        page.push_back({x + 24, y, QStringLiteral("Assinale a alternativa correta sobre o tema.")});
    } else {
        page.push_back({x, y, label + QStringLiteral(" Assinale a alternativa correta sobre o tema."), bold});
    }
    want.push_back({number, pageIndex, y});
    y += 14;
    Body(page, x, y, 2);
    y += 10;
}

} // namespace

class TestQuestionFinder : public QObject {
    Q_OBJECT
private slots:
    void layouts_data();
    void layouts();
    void userPlacesWin();
    void unreadablePagesGiveNothing();
};

void TestQuestionFinder::layouts_data()
{
    QTest::addColumn<QByteArray>("pdf");
    QTest::addColumn<int>("expected");
    QTest::addColumn<std::vector<QuestionPlace>>("want");

    // label: the number's layout, "%1" standing for the number; zero: with a
    // leading zero ("01.").
    const auto numbered = [](const QString& label, bool zero, bool bold, bool separate) {
        Page page;
        std::vector<QuestionPlace> want;
        double y = 80;
        for (int n = 1; n <= 4; ++n) {
            const QString number = zero ? QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')) : QString::number(n);
            Numbered(page, want, 0, 56, y, label.arg(number), n, bold, separate);
        }
        return std::make_pair(MakePdf({page}), want);
    };
    for (const auto& [name, label, zero, bold, separate] :
         std::vector<std::tuple<const char*, QString, bool, bool, bool>>{
             {"1.", QStringLiteral("%1."), false, false, false},
             {"01. bold apart", QStringLiteral("%1."), true, true, true},
             {"1)", QStringLiteral("%1)"), false, false, false},
             {"01) bold", QStringLiteral("%1)"), true, true, false},
             {"1 -", QStringLiteral("%1 -"), false, false, false},
         }) {
        auto [pdf, want] = numbered(label, zero, bold, separate);
        QTest::newRow(name) << pdf << 4 << want;
    }

    {
        // "QUESTÃO 1" / "Questão 2" on lines of their own; a mention of a
        // question inside the text is no start.
        Page page;
        std::vector<QuestionPlace> want;
        double y = 90;
        for (int n = 1; n <= 3; ++n) {
            page.push_back(
                {56, y, (n == 2 ? QStringLiteral("Questão %1") : QStringLiteral("QUESTÃO %1")).arg(n), true});
            want.push_back({n, 0, y});
            y += 16;
            page.push_back({56, y, QStringLiteral("Com base na questão %1 acima, julgue o texto.").arg(n)});
            y += 14;
            page.push_back({56, y, QStringLiteral("Questão %1 anterior trata do mesmo assunto.").arg(n + 1)});
            y += 24;
        }
        QTest::newRow("Questão N") << MakePdf({page}) << 3 << want;
    }
    {
        // Right/wrong items numbered from 51, and the margin's line
        // numbers of a passage: one far out, one close to lower-case text,
        // one glued to the end of a line.
        Page page;
        std::vector<QuestionPlace> want;
        double y = 80;
        for (int line = 1; line <= 6; ++line) {
            if (line % 2 == 0)
                page.push_back({28, y, QString::number(line)});
            page.push_back({56, y, QStringLiteral("continuação do texto base da prova em que se lê uma")});
            if (line == 3)
                page.push_back({320, y, QStringLiteral("4")});
            y += 14;
        }
        page.push_back({46, y, QStringLiteral("5 continuação do texto em letra minúscula")});
        y += 24;
        for (int n = 51; n <= 54; ++n) {
            page.push_back({56, y, QStringLiteral("%1 Do ponto de vista da norma, o item está correto.").arg(n)});
            want.push_back({n, 0, y});
            y += 14;
            Body(page, 56, y, 1);
            y += 10;
        }
        QTest::newRow("bare items, margin numbers") << MakePdf({page}) << 54 << want;
    }
    {
        // Two columns: each line of the left column stands beside one of
        // the right column at the same height.
        Page page;
        std::vector<QuestionPlace> want;
        double yl = 80, yr = 80;
        for (int n = 1; n <= 3; ++n) {
            page.push_back({40, yl, QStringLiteral("%1. Assinale a opção certa.").arg(n)});
            want.push_back({n, 0, yl});
            yl += 14;
            Body(page, 40, yl, 3, QStringLiteral("texto da coluna esquerda"));
        }
        std::vector<QuestionPlace> right;
        for (int n = 4; n <= 6; ++n) {
            Body(page, 310, yr, 1, QStringLiteral("texto da coluna direita"));
            page.push_back({310, yr, QStringLiteral("%1. Assinale a opção certa.").arg(n)});
            want.push_back({n, 0, yr});
            yr += 14;
            Body(page, 310, yr, 2, QStringLiteral("texto da coluna direita"));
        }
        QTest::newRow("two columns") << MakePdf({page}) << 6 << want;
    }
    {
        // An instructions page numbered 1 to 4, headers and footers with
        // numbers on every page, then the questions.
        std::vector<Page> pages(4);
        std::vector<QuestionPlace> want;
        double y = 100;
        pages[0].push_back({56, 70, QStringLiteral("INSTRUÇÕES"), true});
        for (int n = 1; n <= 4; ++n) {
            pages[0].push_back({56, y, QStringLiteral("%1. Verifique se o caderno está completo.").arg(n)});
            y += 18;
        }
        int number = 1;
        for (int p = 0; p < 4; ++p) {
            pages[p].push_back({56, 20, QStringLiteral("1 CONCURSO PÚBLICO 2024 - CARGO 12"), true});
            pages[p].push_back({290, 805, QString::number(p + 1)});
            pages[p].push_back({56, 805, QStringLiteral("%1 Página").arg(p + 1)});
            if (p == 0)
                continue;
            y = 80;
            for (int k = 0; k < 3; ++k, ++number)
                Numbered(pages[p], want, p, 56, y, QStringLiteral("%1.").arg(number), number);
        }
        QTest::newRow("instructions, headers, page numbers") << MakePdf(pages) << 9 << want;
    }
    {
        // Numbered paragraphs inside a question, indented or not.
        Page page;
        std::vector<QuestionPlace> want;
        double y = 80;
        Numbered(page, want, 0, 56, y, QStringLiteral("1."), 1);
        page.push_back({56, y, QStringLiteral("2. O primeiro parágrafo numerado da questão.")});
        y += 14;
        page.push_back({76, y, QStringLiteral("3. O segundo parágrafo, recuado.")});
        y += 20;
        for (int n = 2; n <= 4; ++n)
            Numbered(page, want, 0, 56, y, QStringLiteral("%1.").arg(n), n);
        QTest::newRow("numbered paragraphs") << MakePdf({page}) << 4 << want;
    }
    {
        // Question 3 is missing, a number above the key's count is none:
        // the others keep their places and nothing is guessed.
        Page page;
        std::vector<QuestionPlace> want;
        double y = 80;
        for (int n : {1, 2, 4, 5, 6}) {
            std::vector<QuestionPlace> placed;
            Numbered(page, placed, 0, 56, y, QStringLiteral("%1.").arg(n), n);
            if (n <= 5)
                want.push_back(placed.front());
        }
        QTest::newRow("count differs from the key") << MakePdf({page}) << 5 << want;
    }
}

void TestQuestionFinder::layouts()
{
    QFETCH(QByteArray, pdf);
    QFETCH(int, expected);
    QFETCH(std::vector<QuestionPlace>, want);
    QVERIFY(!pdf.isEmpty());
    const std::vector<QuestionPlace> got = MapPdf(pdf, expected);
    QString all;
    for (const auto& p : got)
        all += QStringLiteral("%1@%2:%3 ").arg(p.number).arg(p.page).arg(p.y);
    QVERIFY2(got.size() == want.size(), qPrintable(all));
    for (std::size_t i = 0; i < want.size(); ++i) {
        QCOMPARE(got[i].number, want[i].number);
        QCOMPARE(got[i].page, want[i].page);
        // The top of the glyphs stands a little below the top of the line box.
        QVERIFY2(got[i].y >= want[i].y - 0.5 && got[i].y <= want[i].y + 4, qPrintable(all));
    }
}

void TestQuestionFinder::userPlacesWin()
{
    QuestionMap map({{1, 0, 100}, {2, 0, 300}, {3, 1, 50}}, {});
    map.correct({2, 1, 20});
    map.correct({5, 2, 70});
    map.correct({2, 1, 25}); // set again: the last one holds
    QCOMPARE(map.placeOf(2)->page, 1);
    QCOMPARE(map.placeOf(2)->y, 25.0);
    QCOMPARE(map.placeOf(1)->y, 100.0);
    QCOMPARE(map.placeOf(5)->page, 2);
    QVERIFY(!map.placeOf(4));
    QCOMPARE(map.places().size(), std::size_t(4));
    QVERIFY(QuestionMap().empty());
}

void TestQuestionFinder::unreadablePagesGiveNothing()
{
    // Boxes that match no line (an engine that reports neither glyphs nor
    // runs) and a page without text give no question, never a guess.
    PageText odd;
    odd.width = 595;
    odd.height = 842;
    odd.text = u"1. Primeira questão\r\n2. Segunda questão";
    odd.boxes = {{56, 100, 300, 110}, {56, 130, 300, 140}, {56, 160, 300, 170}};
    QVERIFY(QuestionFinder::Find({odd, PageText{}}, 2).empty());

    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("x.pdf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a pdf");
    file.close();
    QCOMPARE(QuestionMapper::Map(file.fileName(), 3).code(), PaperDocument::Code::NotAPdf);
    QCOMPARE(QuestionMapper::Map(dir.filePath(QStringLiteral("none.pdf")), 3).code(), PaperDocument::Code::Missing);
}

QTEST_MAIN(TestQuestionFinder)
#include "tst_QuestionFinder.moc"
