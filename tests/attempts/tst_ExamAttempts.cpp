// The exam and results windows keep every attempt: offered again after the
// program was killed, asked about before leaving or finishing with blanks,
// and the exam runs as before without a store.
#include "mockexam/ExamHarness.h"

#include "app/TFocusImage.h"
#include "attempts/AttemptStore.h"
#include "attempts/TformHistorico.h"
#include "mockexam/ExamScore.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScopeGuard>
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
    void resultsAndStoreAgree_data();
    void resultsAndStoreAgree();
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
    const auto all = r.store->summaries().value();
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
    const auto first = r.store->summaries().value().back();
    QCOMPARE(first.elapsedSeconds, yes ? 7 : 0);
    QCOMPARE(int(r.store->summaries().value().size()), yes && anotherPaper ? 2 : 1);
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
    QCOMPARE(r.store->summaries().value().front().finished, yes);
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
        // At the strip's right end, in the band above its rule, clear of Iniciar.
        QVERIFY(top->rect().contains(button->geometry()));
        QVERIFY(button->geometry().right() >= top->width() - 60);
        QVERIFY(button->geometry().bottom() < 74);
        QVERIFY(!button->geometry().intersects(Control<TFocusImage>(r.h.simul.get(), "btInicio")->geometry()));
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

// The hits the results show and the ones the store keeps for the history
// come from one scoring, whatever the paper's info file says.
void TestExamAttempts::resultsAndStoreAgree_data()
{
    QTest::addColumn<QByteArray>("info");
    QTest::addColumn<QStringList>("key");
    QTest::addColumn<QList<int>>("options"); // one per question, -1 blank
    QTest::addColumn<QString>("hits"); // worked out by hand
    QTest::addColumn<QString>("percentage");

    const QStringList five = {"1", "2", "3", "4", "5"};
    // 1 right, 2 and 4 annulled and given to everyone
    QTest::newRow("annulled, the first answered")
        << QByteArray("anuladas=2, 4") << five << QList<int>{0, -1, -1, -1, -1} << "3 de 5"
        << "60,00%";
    // 1 and 4 right, 2 wrong, 3 blank: hits stay 2 whatever cancels
    QTest::newRow("right/wrong, cancelling") << QByteArray("tipo=certo-errado\npontuacao=anula")
                                             << QStringList{"C", "E", "C", "E"} << QList<int>{0, 0, -1, 1} << "2 de 4"
                                             << "50,00%";
    // 1 is annulled and taken out: only 2 counts
    QTest::newRow("annulled taken out") << QByteArray("anuladas=1\nanuladas_regra=exclui") << five
                                        << QList<int>{0, 1, -1, -1, -1} << "1 de 5"
                                        << "20,00%";
    QTest::newRow("all blank, no info") << QByteArray() << QStringList{"1", "2"} << QList<int>{-1, -1} << "0 de 2"
                                        << " 0,00%";
    QTest::newRow("blocks and a cut-off")
        << QByteArray("bloco=A: 1-3; peso=2; minimo=4\ncorte=3") << five << QList<int>{0, 1, 0, 3, -1} << "3 de 5"
        << "60,00%";
}

void TestExamAttempts::resultsAndStoreAgree()
{
    QFETCH(QByteArray, info);
    QFETCH(QStringList, key);
    QFETCH(QList<int>, options);
    QFETCH(QString, hits);
    QFETCH(QString, percentage);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::c()); });
    Run r;
    r.h.folder.write(QStringLiteral("lista.txt"), "Gama#g.pdf\r\n");
    r.h.folder.writePdf(QStringLiteral("g.pdf"), QStringLiteral("Gama"));
    r.h.folder.writeKey(QStringLiteral("g.txt"), key);
    if (!info.isEmpty())
        r.h.folder.write(QStringLiteral("g.ini"), info);
    r.restart();
    r.start(QStringLiteral("Gama"));
    for (const int option : options) {
        if (option >= 0)
            r.answer(option);
        r.click("btProxima");
    }
    r.h.messages.answers = {true}; // finish with the blanks
    r.click("btFim");
    const QString shownHits = Control<QLabel>(r.h.resultado.get(), "lAcerto")->text();
    const QString shownPercentage = Control<QLabel>(r.h.resultado.get(), "lPorc")->text();
    QCOMPARE(shownHits, hits);
    QCOMPARE(shownPercentage.trimmed(), percentage.trimmed());
    const auto stored = r.store->summaries().value().front();
    QVERIFY(stored.finished);
    QCOMPARE(QStringLiteral("%1 de %2").arg(stored.hits).arg(stored.questionCount), shownHits);
    QCOMPARE(QString::fromStdString(mockexam::ExamScore::FormatTwoDecimals(stored.percentage(), ",")) + "%",
             shownPercentage);
}

QTEST_MAIN(TestExamAttempts)
#include "tst_ExamAttempts.moc"
