// The exam and results windows keep every attempt: offered again after the
// program was killed, asked about before leaving or finishing with blanks,
// and the exam runs as before without a store.
#include "mockexam/ExamHarness.h"

#include "app/TFocusImage.h"
#include "attempts/AttemptStore.h"
#include "attempts/TformHistorico.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvora;
using gui::TFocusImage;

namespace {

struct Run {
    QTemporaryDir userData;
    ExamHarness h;
    std::unique_ptr<attempts::AttemptStore> store;

    Run()
    {
        h.folder.write(QStringLiteral("lista.txt"), "Alfa#a.pdf\r\nBeta#b.pdf\r\n");
        h.folder.writePdf(QStringLiteral("a.pdf"), QStringLiteral("Alfa"), 2);
        h.folder.writeKey(QStringLiteral("a.txt"), {"1", "2", "3", "4", "5"});
        h.folder.writePdf(QStringLiteral("b.pdf"), QStringLiteral("Beta"));
        h.folder.writeKey(QStringLiteral("b.txt"), {"2", "2"});
        openStore();
        h.create();
        h.simul->show();
    }
    void openStore()
    {
        store = std::make_unique<attempts::AttemptStore>(userData.filePath(QStringLiteral("attempts.sqlite")));
        store->open();
        h.ctx.attempts = store.get();
    }
    // The program killed and started again: no window writes anything more.
    void restart()
    {
        h.ctx.windows = {};
        h.simul.reset();
        h.resultado.reset();
        h.aguarde.reset();
        openStore();
        h.create();
        h.simul->show();
        h.messages.clear();
    }
    void start(const QString& name)
    {
        auto* combo = Control<QComboBox>(h.simul.get(), "comboProva");
        ExamHarness::pick(combo, combo->findText(name));
        QTest::mouseClick(Control<TFocusImage>(h.simul.get(), "btInicio"), Qt::LeftButton);
    }
    void answer(int option) { QTest::mouseClick(AnswerOption(h.simul.get(), option), Qt::LeftButton, {}, {7, 9}); }
    void click(const char* name) { QTest::mouseClick(Control<TFocusImage>(h.simul.get(), name), Qt::LeftButton); }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            h.clock->tick();
    }
};

} // namespace

class TestExamAttempts : public QObject {
    Q_OBJECT
private slots:
    void killedAttemptIsOffered_data();
    void killedAttemptIsOffered();
    void leavingAsksFirst_data();
    void leavingAsksFirst();
    void finishingWithBlanksAsksFirst_data();
    void finishingWithBlanksAsksFirst();
    void examRunsWithoutStore();
    void historyButtons();
};

void TestExamAttempts::killedAttemptIsOffered_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("Sim: continue") << true;
    QTest::newRow("Não: afresh") << false;
}

void TestExamAttempts::killedAttemptIsOffered()
{
    QFETCH(bool, yes);
    Run r;
    r.start(QStringLiteral("Alfa"));
    r.answer(2);
    r.click("btProxima");
    r.answer(0);
    r.ticks(12);
    QVERIFY(r.h.messages.questions.isEmpty());

    r.restart();
    r.h.messages.answers = {yes};
    r.start(QStringLiteral("Alfa"));
    QCOMPARE(r.h.messages.questions.size(), 1);
    QVERIFY2(r.h.messages.questions[0].contains(QStringLiteral("2 de 5 questões respondidas, 10 s")),
             qPrintable(r.h.messages.questions[0]));
    auto* cb = Control<QComboBox>(r.h.simul.get(), "cbQuestao");
    if (yes) {
        QCOMPARE(r.h.answers(), (QStringList{"3", "1", "#", "#", "#"}));
        QCOMPARE(ExamHarness::items(cb).mid(0, 3), (QStringList{"Questão 1   OK", "Questão 2   OK", "Questão 3"}));
        QCOMPARE(cb->currentIndex(), 1);
        QCOMPARE(r.h.simul->shownOption(), 0);
        QCOMPARE(r.h.simul->elapsedSeconds(), 10);
        QCOMPARE(Control<QLabel>(r.h.simul.get(), "lTempo")->text(), QStringLiteral("Duração: 10 s"));
    } else {
        QCOMPARE(r.h.answers(), (QStringList{"#", "#", "#", "#", "#"}));
        QCOMPARE(cb->currentIndex(), 0);
        QCOMPARE(r.h.simul->elapsedSeconds(), 0);
    }
    r.ticks(1);
    r.answer(4);
    r.h.messages.answers = {true};
    r.click("btFim");
    const auto all = r.store->summaries();
    QCOMPARE(int(all.size()), yes ? 1 : 2);
    QVERIFY(all.front().finished);
    QCOMPARE(all.front().elapsedSeconds, yes ? 11 : 1);
    QCOMPARE(all.front().answered, yes ? 2 : 1);
    if (!yes)
        QVERIFY(!all.back().finished); // the declined attempt stays, interrupted
}

void TestExamAttempts::leavingAsksFirst_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("yes");
    for (const char* how : {"Sair", "X", "close", "another paper"}) {
        QTest::addRow("%s, Não", how) << QString::fromLatin1(how) << false;
        QTest::addRow("%s, Sim", how) << QString::fromLatin1(how) << true;
    }
}

void TestExamAttempts::leavingAsksFirst()
{
    QFETCH(QString, how);
    QFETCH(bool, yes);
    Run r;
    r.start(QStringLiteral("Alfa"));
    r.answer(1);
    r.ticks(7);
    r.h.messages.answers = {yes, false}; // the second: not continuing the left paper
    if (how == QLatin1String("Sair"))
        r.click("btSair");
    else if (how == QLatin1String("X"))
        QTest::mouseClick(Control<QLabel>(r.h.simul.get(), "Label2"), Qt::LeftButton);
    else if (how == QLatin1String("close"))
        r.h.simul->close();
    else
        r.start(QStringLiteral("Beta"));
    QVERIFY(!r.h.messages.questions.isEmpty());
    QVERIFY(r.h.messages.questions[0].contains(QStringLiteral("guardadas")));
    const bool anotherPaper = how == QLatin1String("another paper");
    QCOMPARE(r.h.simul->isVisible(), !yes || anotherPaper);
    QCOMPARE(r.h.simul->answerKey().size(), size_t(yes && anotherPaper ? 2 : 5));
    // Left, the attempt keeps its clock to the second.
    const auto first = r.store->summaries().back();
    QCOMPARE(first.elapsedSeconds, yes ? 7 : 0);
    QCOMPARE(int(r.store->summaries().size()), yes && anotherPaper ? 2 : 1);
}

void TestExamAttempts::finishingWithBlanksAsksFirst_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("Não: the exam goes on") << false;
    QTest::newRow("Sim: scored") << true;
}

void TestExamAttempts::finishingWithBlanksAsksFirst()
{
    QFETCH(bool, yes);
    Run r;
    r.start(QStringLiteral("Alfa"));
    r.answer(0);
    r.ticks(3);
    r.h.messages.answers = {yes};
    r.click("btFim");
    QCOMPARE(r.h.messages.questions.size(), 1);
    QVERIFY(r.h.messages.questions[0].startsWith(QStringLiteral("4 questões estão em branco")));
    QCOMPARE(r.h.resultado->isVisible(), yes);
    QCOMPARE(r.h.clock->interval() > 0, !yes);
    QCOMPARE(r.store->summaries().front().finished, yes);
    if (yes) {
        // Pressing it again scores again without asking; closing asks nothing.
        r.click("btFim");
        r.h.simul->close();
        QCOMPARE(r.h.messages.questions.size(), 1);
        QVERIFY(!r.h.simul->isVisible());
    }
}

void TestExamAttempts::examRunsWithoutStore()
{
    Run r;
    QFile blocker(r.userData.filePath(QStringLiteral("blocked")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    attempts::AttemptStore broken(r.userData.filePath(QStringLiteral("blocked/attempts.sqlite")));
    QVERIFY(!broken.open());
    r.h.ctx.attempts = &broken;
    r.start(QStringLiteral("Alfa"));
    r.answer(0);
    r.ticks(10);
    r.h.messages.answers = {true};
    r.click("btFim");
    r.start(QStringLiteral("Beta"));
    QCOMPARE(r.h.messages.texts.size(), 1); // said once
    QVERIFY(r.h.messages.texts[0].contains(QStringLiteral("não está disponível")));
    QVERIFY(r.h.resultado->isVisible());
    QCOMPARE(r.h.simul->answerKey().size(), size_t(2));
}

void TestExamAttempts::historyButtons()
{
    Run r;
    auto* top = Control<QWidget>(r.h.simul.get(), "pTop");
    auto* button = Control<QPushButton>(r.h.simul.get(), "btHistorico");
    for (int width : {1000, 1280}) {
        r.h.simul->resize(width, 700);
        QCOMPARE(button->geometry(), QRect(top->width() - button->width() - 10, 80, button->width(), 36));
    }
    r.h.simul->resize(800, 700); // too narrow: the start button stays uncovered
    QVERIFY(!button->geometry().intersects(Control<TFocusImage>(r.h.simul.get(), "btInicio")->geometry()));
    r.start(QStringLiteral("Beta"));
    r.answer(1);
    r.click("btFim");
    QTest::mouseClick(Control<QPushButton>(r.h.resultado.get(), "btHistorico"), Qt::LeftButton);
    auto* history = r.h.wiring.historico;
    QVERIFY(history && history->isVisible());
    QCOMPARE(history->model().rowCount(), 1);
    QVERIFY(history->model().attempt(0).finished);
    history->close();
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(history->isVisible());
    auto* results = Control<QPushButton>(r.h.resultado.get(), "btHistorico");
    QCOMPARE(results->geometry().bottom() < r.h.resultado->height(), true);
    QVERIFY(results->geometry().top() >= 446);
}

QTEST_MAIN(TestExamAttempts)
#include "tst_ExamAttempts.moc"
