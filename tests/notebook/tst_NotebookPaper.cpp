// A notebook question is shown where it starts in its own paper: the
// question window opened by a double click and a review session over two
// papers, each through the exam window's viewer and the paper's question map.
#include "app/FindControl.h"
#include "mockexam/QuestionPaperPane.h"
#include "mockexam/TPdfViewer.h"
#include "notebook/NotebookPapers.h"
#include "notebook/TformCaderno.h"
#include "notebook/TformQuestaoCaderno.h"
#include "notebook/TformRefazer.h"
#include "support/RecordingMessages.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStandardPaths>
#include <QTest>

using namespace zelvora;
using gui::QuestionPaperPane;
using gui::TformCaderno;
using gui::TformRefazer;

namespace {

// A paper of two questions a page: "n." at y 100 and at y 450 of each page.
void WriteNumberedPdf(const QString& path, int questions)
{
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter(&writer);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(11);
    painter.setFont(font);
    for (int n = 1; n <= questions; ++n) {
        if (n > 1 && n % 2 == 1)
            writer.newPage();
        const double y = n % 2 == 1 ? 100.0 : 450.0;
        painter.drawText(QRectF(56, y, 500, 20), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("%1. Assinale a alternativa correta.").arg(n));
        painter.drawText(QRectF(56, y + 14, 500, 20), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("texto"));
    }
}

struct Where {
    QString paper;
    int question; // 0-based
    int page;
    double y;
};

// The questions missed below and where each starts.
const Where Missed[] = {
    {QStringLiteral("Técnico - Banca Guará - 2009"), 1, 0, 450.0},
    {QStringLiteral("Técnico - Banca Guará - 2009"), 4, 2, 100.0},
    {QStringLiteral("Analista - Fundação Ventania - 2010"), 3, 1, 450.0},
};

bool ShowsPlace(const QuestionPaperPane* pane, int page, double y)
{
    const auto shown = pane->viewer()->shownPlace();
    // The glyphs' top stands a little below the line's top.
    return shown.page == page && shown.y >= y - 1 && shown.y <= y + 5;
}

} // namespace

class TestNotebookPaper : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init();
    void cleanup() { m_f.reset(); }
    void questionOpensWhereItStarts_data();
    void questionOpensWhereItStarts();
    void reviewShowsEachQuestionInItsOwnPaper();

private:
    gui::PaperPaneFactory panes()
    {
        return [this](QWidget* parent) -> gui::PaperPane* { return new QuestionPaperPane(&m_f->store, parent); };
    }
    std::unique_ptr<NotebookFixture> m_f;
    RecordingMessages m_messages;
};

void TestNotebookPaper::init()
{
    m_f = std::make_unique<NotebookFixture>();
    QVERIFY(m_f->store.open());
    m_messages.clear();
    const PaperIdentity a = WritePaper(m_f->dir, QStringLiteral("a"), {"1", "2", "3", "4", "5", "1"});
    const PaperIdentity b = WritePaper(m_f->dir, QStringLiteral("b"), {"C", "E", "C", "E", "C", "E"},
                                       QStringLiteral("tipo=certo-errado\r\n"));
    WriteNumberedPdf(a.pdfPath, 6);
    WriteNumberedPdf(b.pdfPath, 6);
    m_f->finish(a, Missed[0].paper, {"1", "5", "3", "4", "1", "1"});
    m_f->finish(b, Missed[2].paper, {"C", "E", "C", "C", "C", "E"});
    QCOMPARE(m_f->items().size(), std::size(Missed));
}

void TestNotebookPaper::questionOpensWhereItStarts_data()
{
    QTest::addColumn<int>("missed");
    QTest::newRow("second question, low on the first page") << 0;
    QTest::newRow("fifth question, on the last page") << 1;
    QTest::newRow("right/wrong paper, second page") << 2;
}

void TestNotebookPaper::questionOpensWhereItStarts()
{
    QFETCH(int, missed);
    const Where& where = Missed[missed];
    TformCaderno w(&m_f->notebook, &m_messages, QStringLiteral("Zelvora"));
    w.paperPanes = panes();
    w.show();
    int row = -1;
    for (int r = 0; r < w.model().rowCount(); ++r)
        if (w.model().item(r).paperName == where.paper && w.model().item(r).question == where.question)
            row = r;
    QVERIFY(row >= 0);
    w.gridCadernoDoubleClick(row);
    auto* question = w.questionWindow();
    QVERIFY(question && question->isVisible() && question->paperLoaded());
    QVERIFY(Control<QLabel>(question, QStringLiteral("lGabarito"))->text().startsWith(QStringLiteral("Gabarito: ")));
    auto* pane = Control<QuestionPaperPane>(question, QStringLiteral("PDF"));
    QTRY_VERIFY2_WITH_TIMEOUT(
        ShowsPlace(pane, where.page, where.y),
        qPrintable(
            QStringLiteral("page %1 y %2").arg(pane->viewer()->shownPlace().page).arg(pane->viewer()->shownPlace().y)),
        20000);
}

void TestNotebookPaper::reviewShowsEachQuestionInItsOwnPaper()
{
    QList<qint64> ids;
    for (const auto& it : m_f->items())
        ids << it.id;
    TformRefazer w(&m_f->notebook, &m_messages, QStringLiteral("Zelvora"), panes());
    QVERIFY(w.start(ids));
    auto* pane = Control<QuestionPaperPane>(&w, QStringLiteral("PDF"));
    // Back and forth across the two papers: each question in its own paper,
    // at its place, also where the paper was open before.
    for (const int position : {0, 1, 2, 1, 0, 2}) {
        w.showQuestion(position);
        const notebook::NotebookItem& it = w.session()->questions()[size_t(position)];
        QCOMPARE(pane->viewer()->fileName(), it.paper.pdfPath);
        const auto where = std::find_if(std::begin(Missed), std::end(Missed), [&](const Where& m) {
            return m.paper == it.paperName && m.question == it.question;
        });
        QVERIFY(where != std::end(Missed));
        QTRY_VERIFY_WITH_TIMEOUT(ShowsPlace(pane, where->page, where->y), 20000);
    }
    w.close();
}

QTEST_MAIN(TestNotebookPaper)
#include "tst_NotebookPaper.moc"
