// The exam window with a paper whose questions it finds: choosing a question
// scrolls the paper to it, the time on each question, the guess mark and the
// note reach the results and the review; a paper without a map stays put.
#include "ExamHarness.h"

#include "app/TFocusImage.h"
#include "attempts/AttemptStore.h"
#include "attempts/QuestionStore.h"
#include "mockexam/AnswerCard.h"
#include "mockexam/PaperNavigator.h"
#include "mockexam/QuestionBox.h"
#include "mockexam/ResultsFooter.h"
#include "mockexam/TPdfViewer.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFont>
#include <QInputDialog>
#include <QListWidget>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfView>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvora;
using namespace zelvora::gui;

namespace {

// Six questions "1." to "6.", two a page, at y 100 and 450; or the same
// text without numbers.
QByteArray Paper(bool numbered)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.pdf"));
    {
        QPdfWriter writer(path);
        writer.setResolution(72);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter(&writer);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSizeF(11);
        painter.setFont(font);
        int n = 1;
        for (int page = 0; page < 3; ++page) {
            if (page > 0)
                writer.newPage();
            for (const double y : {100.0, 450.0}) {
                painter.drawText(QRectF(56, y, 500, 20), Qt::AlignLeft | Qt::AlignTop,
                                 (numbered ? QStringLiteral("%1. ").arg(n) : QString())
                                     + QStringLiteral("Assinale a alternativa correta."));
                ++n;
            }
        }
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Exam {
    ExamHarness h;
    QTemporaryDir home;
    std::unique_ptr<attempts::AttemptStore> store;

    explicit Exam(bool numbered)
    {
        h.folder.write(QStringLiteral("lista.txt"), "Prova#p.pdf\r\n");
        h.folder.write(QStringLiteral("p.pdf"), Paper(numbered));
        h.folder.writeKey(QStringLiteral("p.txt"), {"1", "2", "3", "4", "5", "1"});
        store = std::make_unique<attempts::AttemptStore>(home.filePath(QStringLiteral("a.sqlite")));
        store->open();
        h.ctx.attempts = store.get();
        h.create();
        h.simul->show();
        QTest::qWaitForWindowExposed(h.simul.get());
        ExamHarness::pick(Control<QComboBox>(h.simul.get(), "comboProva"), 0);
        QTest::mouseClick(Control<TFocusImage>(h.simul.get(), "btInicio"), Qt::LeftButton);
        // The wait window came and went; the keys go to the exam again.
        h.simul->activateWindow();
        if (!QTest::qWaitForWindowActive(h.simul.get()))
            qWarning("exam window not active");
    }

    TPdfViewer* viewer() const { return Control<TPdfViewer>(h.simul.get(), "PDF"); }
    bool mapReady() const
    {
        auto* navigator = h.simul->findChild<PaperNavigator*>();
        return navigator && navigator->loader().waitUntilReady(20000);
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(h.simul.get(), k, m); }
    QString item(int q) const
    {
        auto* box = Control<QuestionBox>(h.simul.get(), "cbQuestao");
        return box->itemText(q) + QLatin1Char(' ') + box->itemExtra(q);
    }
};

} // namespace

class TestExamQuestions : public QObject {
    Q_OBJECT
private slots:
    void choosingAQuestionScrollsThePaper_data();
    void choosingAQuestionScrollsThePaper();
    void paperWithoutMapStaysPut();
    void timesGuessesAndNotes();
};

void TestExamQuestions::choosingAQuestionScrollsThePaper_data()
{
    QTest::addColumn<QString>("moves"); // p = Próxima, a = Anterior, > = Ctrl+Right, < = Ctrl+Left, digit = list
    QTest::addColumn<int>("question");
    QTest::addColumn<int>("page");
    QTest::newRow("start at question 1") << "" << 0 << 0;
    QTest::newRow("Próxima") << "p" << 1 << 0;
    QTest::newRow("Ctrl+Right twice") << ">>" << 2 << 1;
    QTest::newRow("list then Anterior") << "5a" << 4 << 2;
    QTest::newRow("Ctrl+Left back") << "5<<<" << 2 << 1;
}

void TestExamQuestions::choosingAQuestionScrollsThePaper()
{
    QFETCH(QString, moves);
    QFETCH(int, question);
    QFETCH(int, page);
    Exam e(true);
    QVERIFY(e.mapReady());
    for (const QChar c : moves) {
        if (c == QLatin1Char('p'))
            QTest::mouseClick(Control<TFocusImage>(e.h.simul.get(), "btProxima"), Qt::LeftButton);
        else if (c == QLatin1Char('a'))
            QTest::mouseClick(Control<TFocusImage>(e.h.simul.get(), "btAnterior"), Qt::LeftButton);
        else if (c == QLatin1Char('>'))
            e.key(Qt::Key_Right, Qt::ControlModifier);
        else if (c == QLatin1Char('<'))
            e.key(Qt::Key_Left, Qt::ControlModifier);
        else
            ExamHarness::pick(Control<QComboBox>(e.h.simul.get(), "cbQuestao"), c.digitValue());
    }
    QCOMPARE(e.h.simul->answers().current(), question);
    const TPdfViewer::Place shown = e.viewer()->shownPlace();
    QCOMPARE(shown.page, page);
    const double y = question % 2 == 0 ? 100 : 450;
    QVERIFY2(shown.y >= y - 1 && shown.y <= y + 5, qPrintable(QString::number(shown.y)));

    // Scrolling by hand leaves the question as it was.
    QScrollBar* bar = e.viewer()->view()->verticalScrollBar();
    bar->setValue(bar->value() + 700);
    QCOMPARE(e.h.simul->answers().current(), question);
}

void TestExamQuestions::paperWithoutMapStaysPut()
{
    Exam e(false);
    QVERIFY(e.mapReady());
    QScrollBar* bar = e.viewer()->view()->verticalScrollBar();
    bar->setValue(300);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(Control<TFocusImage>(e.h.simul.get(), "btProxima"), Qt::LeftButton);
    ExamHarness::pick(Control<QComboBox>(e.h.simul.get(), "cbQuestao"), 5);
    QCOMPARE(bar->value(), 300);
}

void TestExamQuestions::timesGuessesAndNotes()
{
    Exam e(true);
    QVERIFY(e.mapReady());
    // Three seconds on question 1, five on question 2, answered right; a
    // guess on question 2 and on question 3 (answered wrong).
    for (int s = 0; s < 3; ++s)
        e.h.clock->tick();
    AnswerOption(e.h.simul.get(), 0)->click();
    e.key(Qt::Key_Right, Qt::ControlModifier);
    for (int s = 0; s < 5; ++s)
        e.h.clock->tick();
    AnswerOption(e.h.simul.get(), 1)->click();
    e.key(Qt::Key_G);
    QVERIFY(Control<QCheckBox>(e.h.simul.get(), "ckChute")->isChecked());
    e.key(Qt::Key_Right, Qt::ControlModifier);
    QVERIFY(!Control<QCheckBox>(e.h.simul.get(), "ckChute")->isChecked());
    AnswerOption(e.h.simul.get(), 4)->click();
    Control<QCheckBox>(e.h.simul.get(), "ckChute")->click();
    QVERIFY(e.item(2).contains(QStringLiteral("[chute]")));
    QVERIFY(e.item(1).contains(QStringLiteral("[chute]")));
    QVERIFY(!e.item(0).contains(QStringLiteral("[chute]")));
    // The answer card marks the same cells as guesses.
    const auto* card = Control<AnswerCard>(e.h.simul.get(), "gCartao");
    for (int q = 0; q < 3; ++q)
        QCOMPARE(card->cellName(q).endsWith(QStringLiteral(", chute")), q > 0);

    // N: the note of question 3, kept.
    e.key(Qt::Key_N);
    auto* dialog = e.h.simul->findChild<QInputDialog*>(QStringLiteral("dlgNota"));
    QVERIFY(dialog);
    QCOMPARE(dialog->labelText(), QStringLiteral("Nota da questão 3:"));
    dialog->setTextValue(QStringLiteral("confundi os prazos"));
    dialog->accept();

    // Finish: the blank questions are asked about ("Sim").
    QTest::mouseClick(Control<TFocusImage>(e.h.simul.get(), "btFim"), Qt::LeftButton);
    const QStringList lines = e.h.resultado->findChild<ResultsFooter*>()->lines();
    QVERIFY2(lines.contains(QStringLiteral("Tempo médio por questão: 1 s")), qPrintable(lines.join('|')));
    QVERIFY2(lines.contains(QStringLiteral("Mais demoradas: 2 (5 s), 1 (3 s)")), qPrintable(lines.join('|')));
    QVERIFY2(lines.contains(QStringLiteral("Sem os chutes (2): 1 de 6")), qPrintable(lines.join('|')));

    // The review: the guesses' filter, the times and the note.
    QTest::mouseClick(Control<QPushButton>(e.h.resultado.get(), "btRevisar"), Qt::LeftButton);
    auto* review = Control<QDialog>(e.h.simul.get(), "TformRevisao");
    auto* filter = Control<QComboBox>(review, "cbFiltro");
    filter->setCurrentIndex(filter->findText(QStringLiteral("Chutes"), Qt::MatchStartsWith));
    auto* list = Control<QListWidget>(review, "lbQuestoes");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QStringLiteral("Questão 2: marcada B, gabarito B - certa [chute] - 5 s"));
    QCOMPARE(list->item(1)->text(),
             QStringLiteral("Questão 3: marcada E, gabarito C - errada [chute] - 0 s - nota: confundi os prazos"));

    // Kept in the store: the times and guesses with the attempt, the note
    // with the paper.
    attempts::QuestionStore kept(*e.store);
    const auto all = e.store->summaries().value();
    QCOMPARE(all.size(), std::size_t(1));
    QCOMPARE(kept.seconds(all[0].id, 6), (std::vector<qint64>{3, 5, 0, 0, 0, 0}));
    QCOMPARE(kept.guesses(all[0].id, 6), (std::vector<bool>{false, true, true, false, false, false}));
    QCOMPARE(kept.notes(kept.attemptPaper(all[0].id)).at(3), QStringLiteral("confundi os prazos"));
}

QTEST_MAIN(TestExamQuestions)
#include "tst_ExamQuestions.moc"
