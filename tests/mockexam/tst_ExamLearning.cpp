// The exam window's additions for learning from each exam, driven through
// the real widgets with the injected clock: the time limit and its notices,
// right/wrong papers, the study aids, and the review after finishing.
#include "ExamHarness.h"

#include "app/TFocusImage.h"
#include "mockexam/DurationBox.h"
#include "mockexam/QuestionBox.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace zelvora::gui;

namespace {

// One paper "P" (p.pdf) with the given key and info file (none when empty).
std::unique_ptr<ExamHarness> Paper(const QStringList& key, const QByteArray& info)
{
    auto h = std::make_unique<ExamHarness>();
    h->folder.write(QStringLiteral("lista.txt"), "P#p.pdf\r\n");
    h->folder.writePdf(QStringLiteral("p.pdf"), QStringLiteral("P"));
    h->folder.writeKey(QStringLiteral("p.txt"), key);
    if (!info.isEmpty())
        h->folder.write(QStringLiteral("p.ini"), info);
    h->create();
    h->simul->show();
    if (!QTest::qWaitForWindowActive(h->simul.get()))
        qWarning("exam window not active");
    ExamHarness::pick(Control<QComboBox>(h->simul.get(), "comboProva"), 0);
    return h;
}

void Start(ExamHarness& h)
{
    QTest::mouseClick(Control<TFocusImage>(h.simul.get(), "btInicio"), Qt::LeftButton);
}

void Ticks(ExamHarness& h, int n)
{
    for (int i = 0; i < n; ++i)
        h.clock->tick();
}

QStringList FooterLines(ExamHarness& h)
{
    QStringList out;
    for (const QLabel* l : Control<QWidget>(h.resultado.get(), "pRodape")->findChildren<QLabel*>())
        out << l->text();
    return out;
}

QList<QRadioButton*> ShownOptions(ExamHarness& h)
{
    QList<QRadioButton*> out;
    for (int i = 0; i < 5; ++i)
        if (!AnswerOption(h.simul.get(), i)->isHidden())
            out << AnswerOption(h.simul.get(), i);
    return out;
}

} // namespace

class TestExamLearning : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }
    void countdown_data();
    void countdown();
    void timeUpAsksNothing_data();
    void timeUpAsksNothing();
    void rightWrongPaper_data();
    void rightWrongPaper();
    void studyAidsLeaveTheScoreAlone();
    void reviewShowsBothAnswers();
};

void TestExamLearning::countdown_data()
{
    QTest::addColumn<QByteArray>("info");
    QTest::addColumn<QString>("chosen"); // typed into the duration box; empty: as the info file says
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<QString>("notice"); // empty: none shown
    QTest::addColumn<bool>("finished");

    QTest::newRow("no info file counts seconds") << QByteArray() << "" << 3 << "Duração: 3 s"
                                                 << "" << false;
    QTest::newRow("limit from the info file") << QByteArray("duracao=2:00") << "" << 1 << "1:59:59"
                                              << "" << false;
    QTest::newRow("30 minutes left") << QByteArray("duracao=0:31") << "" << 60 << "0:30:00"
                                     << "Faltam 30 minutos para o fim da prova." << false;
    QTest::newRow("5 minutes left") << QByteArray("duracao=6") << "" << 60 << "0:05:00"
                                    << "Faltam 5 minutos para o fim da prova." << false;
    QTest::newRow("time runs out") << QByteArray("duracao=1min") << "" << 60 << "0:00:00"
                                   << "" << true;
    QTest::newRow("limit chosen without an info file") << QByteArray() << "0:10" << 2 << "0:09:58"
                                                       << "" << false;
    QTest::newRow("no limit chosen over the file") << QByteArray("duracao=1:00") << "sem limite" << 2 << "Duração: 2 s"
                                                   << "" << false;
    QTest::newRow("limit typed as 1h") << QByteArray("duracao=3:00") << "1h" << 1 << "0:59:59"
                                       << "" << false;
    // Refused with a message: the exam does not start, the clock stays.
    QTest::newRow("typed text that is no duration") << QByteArray("duracao=3:00") << "logo" << 1 << "00 s"
                                                    << "" << false;
}

void TestExamLearning::countdown()
{
    QFETCH(QByteArray, info);
    QFETCH(QString, chosen);
    QFETCH(int, ticks);
    QFETCH(QString, clock);
    QFETCH(QString, notice);
    QFETCH(bool, finished);
    auto h = Paper({"1", "2", "3"}, info);
    if (!chosen.isEmpty()) {
        auto* box = Control<DurationBox>(h->simul.get(), "edDuracao");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, chosen);
        QTest::keyClick(box, Qt::Key_Return);
    }
    Start(*h);
    QTest::keyClick(h->simul.get(), Qt::Key_B); // question 1 answered B
    QWidget* focused = QApplication::focusWidget();
    Ticks(*h, ticks);
    QCOMPARE(Control<QLabel>(h->simul.get(), "lTempo")->text(), clock);
    auto* aviso = Control<QLabel>(h->simul.get(), "lAviso");
    QCOMPARE(aviso->isVisible(), !notice.isEmpty());
    if (!notice.isEmpty()) {
        QCOMPARE(aviso->text(), notice);
        // The notice leaves the keyboard where it was: the next key answers.
        QCOMPARE(QApplication::focusWidget(), focused);
        QTest::keyClick(h->simul.get(), Qt::Key_C);
        QCOMPARE(h->answers().first(), QStringLiteral("3"));
    }
    QCOMPARE(h->resultado->isVisible(), finished);
    QCOMPARE(h->simul->timeRanOut(), finished);
    if (finished) {
        QCOMPARE(h->clock->interval(), 0);
        QVERIFY(FooterLines(*h).first().startsWith(QStringLiteral("Tempo esgotado")));
        QCOMPARE(h->simul->elapsedSeconds(), 60);
        // Answers can no longer change.
        QTest::keyClick(h->simul.get(), Qt::Key_A);
        QCOMPARE(h->answers().first(), QStringLiteral("2"));
    }
}

void TestExamLearning::timeUpAsksNothing_data()
{
    QTest::addColumn<int>("answered");
    QTest::newRow("every question blank") << 0;
    QTest::newRow("one of three answered") << 1;
    QTest::newRow("all answered") << 3;
}

void TestExamLearning::timeUpAsksNothing()
{
    QFETCH(int, answered);
    auto h = Paper({"1", "2", "3"}, QByteArray("duracao=1min"));
    Start(*h);
    for (int q = 0; q < answered; ++q) {
        QTest::keyClick(h->simul.get(), Qt::Key_A);
        QTest::keyClick(h->simul.get(), Qt::Key_Right, Qt::ControlModifier);
    }
    // "Não" to any question: the exam must finish all the same.
    h->messages.answers = {false, false, false};
    Ticks(*h, 60);
    QCOMPARE(h->messages.questions, QStringList());
    QVERIFY(h->simul->timeRanOut());
    QVERIFY(h->resultado->isVisible());
    QVERIFY(FooterLines(*h).first().startsWith(QStringLiteral("Tempo esgotado")));
    QCOMPARE(h->clock->interval(), 0);
    // Finalizar afterwards only shows the score again, without a question.
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btFim"), Qt::LeftButton);
    QCOMPARE(h->messages.questions, QStringList());
}

void TestExamLearning::rightWrongPaper_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("stored"); // "#": the key does nothing
    QTest::newRow("C") << int(Qt::Key_C) << "C";
    QTest::newRow("E") << int(Qt::Key_E) << "E";
    QTest::newRow("1") << int(Qt::Key_1) << "C";
    QTest::newRow("2") << int(Qt::Key_2) << "E";
    QTest::newRow("A") << int(Qt::Key_A) << "#";
    QTest::newRow("3") << int(Qt::Key_3) << "#";
}

void TestExamLearning::rightWrongPaper()
{
    QFETCH(int, key);
    QFETCH(QString, stored);
    auto h = Paper({"C", "E"}, "tipo=certo-errado\r\npontuacao=anula\r\n");
    Start(*h);
    const auto options = ShownOptions(*h);
    QCOMPARE(options.size(), 2);
    // The options spelled out where the answer box has room for them.
    QCOMPARE(options[0]->text() + options[1]->text(), QStringLiteral("CertoErrado"));
    QTest::keyClick(h->simul.get(), Qt::Key(key));
    QCOMPARE(h->answers(), (QStringList{stored, "#"}));
    auto* box = Control<QuestionBox>(h->simul.get(), "cbQuestao");
    QCOMPARE(box->itemText(0), stored == "#" ? QStringLiteral("Item 1") : QStringLiteral("Item 1   OK"));
    QCOMPARE(box->itemExtra(0), stored == "#" ? QString() : stored);

    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btFim"), Qt::LeftButton);
    // Net score: the right C counts 1, a wrong E cancels it, blanks nothing.
    const QString net = stored == "C" ? "1 (1 certa - 0 erradas)"
        : stored == "E"               ? "-1 (0 certas - 1 errada)"
                                      : "0 (0 certas - 0 erradas)";
    // The net score first; then the blank questions counted.
    const QString blank = stored == "#" ? QStringLiteral("Em branco: 2 questões (listadas entre as erradas)")
                                        : QStringLiteral("Em branco: 1 questão (listada entre as erradas)");
    QCOMPARE(FooterLines(*h), (QStringList{QStringLiteral("Nota líquida (certas - erradas): ") + net, blank}));
}

void TestExamLearning::studyAidsLeaveTheScoreAlone()
{
    auto h = Paper({"1", "2", "3"}, QByteArray());
    Start(*h);
    auto* box = Control<QuestionBox>(h->simul.get(), "cbQuestao");
    QTest::keyClick(h->simul.get(), Qt::Key_R);
    QCOMPARE(box->itemExtra(0), QStringLiteral("[revisar]"));
    QVERIFY(Control<QCheckBox>(h->simul.get(), "ckRevisar")->isChecked());
    // A right click strikes an option out without answering.
    emit AnswerOption(h->simul.get(), 3)->customContextMenuRequested(QPoint(5, 5));
    QVERIFY(AnswerOption(h->simul.get(), 3)->font().strikeOut());
    QCOMPARE(h->answers(), (QStringList{"#", "#", "#"}));
    QTest::keyClick(h->simul.get(), Qt::Key_A);
    QCOMPARE(box->itemText(0), QStringLiteral("Questão 1   OK"));
    QCOMPARE(box->itemExtra(0), QStringLiteral("A  [revisar]"));
    // The next question has neither mark; coming back shows them again.
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btProxima"), Qt::LeftButton);
    QVERIFY(!Control<QCheckBox>(h->simul.get(), "ckRevisar")->isChecked());
    QVERIFY(!AnswerOption(h->simul.get(), 3)->font().strikeOut());
    Control<QCheckBox>(h->simul.get(), "ckRevisar")->click();
    QCOMPARE(box->itemExtra(1), QStringLiteral("[revisar]"));
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btAnterior"), Qt::LeftButton);
    QVERIFY(AnswerOption(h->simul.get(), 3)->font().strikeOut());

    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btFim"), Qt::LeftButton);
    QCOMPARE(Control<QLabel>(h->resultado.get(), "lAcerto")->text(), QStringLiteral("1 de 3"));
    // A paper without an info file adds no line to the results but the
    // count of the blank questions.
    QCOMPARE(FooterLines(*h), QStringList{QStringLiteral("Em branco: 2 questões (listadas entre as erradas)")});
}

void TestExamLearning::reviewShowsBothAnswers()
{
    auto h = Paper({"1", "2", "3", "4"}, "anuladas=4\r\ndisciplina=Direito: 1-2\r\ndisciplina=L\xf3gica: 3-4\r\n");
    Start(*h);
    for (const Qt::Key k : {Qt::Key_A, Qt::Key_C, Qt::Key_unknown, Qt::Key_E}) {
        if (k != Qt::Key_unknown)
            QTest::keyClick(h->simul.get(), k);
        QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btProxima"), Qt::LeftButton);
    }
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btFim"), Qt::LeftButton);
    QCOMPARE(FooterLines(*h),
             (QStringList{"Direito: 1 de 2 (50,00%)", "Lógica: 1 de 2 (50,00%)",
                          "Em branco: 1 questão (listada entre as erradas)"}));

    QTest::mouseClick(Control<QPushButton>(h->resultado.get(), "btRevisar"), Qt::LeftButton);
    auto* review = Control<QDialog>(h->simul.get(), "TformRevisao");
    QVERIFY(review->isVisible());
    auto* filter = Control<QComboBox>(review, "cbFiltro");
    auto* list = Control<QListWidget>(review, "lbQuestoes");
    QCOMPARE(list->count(), 4);
    filter->setCurrentIndex(filter->findText(QStringLiteral("Respondidas erradas (1)")));
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("Questão 2: marcada C, gabarito B - errada"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());

    // Question 2 in the exam window: C given, B the key, and C stays.
    QVERIFY(h->simul->reviewing());
    QCOMPARE(Control<QComboBox>(h->simul.get(), "cbQuestao")->currentIndex(), 1);
    QCOMPARE(h->simul->shownOption(), 2);
    QVERIFY(Control<QLabel>(h->simul.get(), "lGabarito")->text().startsWith(QStringLiteral("Gabarito: B")));
    QTest::mouseClick(AnswerOption(h->simul.get(), 1), Qt::LeftButton, {}, QPoint(7, 9));
    QTest::keyClick(h->simul.get(), Qt::Key_D);
    QCOMPARE(h->answers(), (QStringList{"1", "3", "#", "5"}));

    // Closing the review gives the answers back.
    review->close();
    QVERIFY(!h->simul->reviewing());
    QTest::keyClick(h->simul.get(), Qt::Key_D);
    QCOMPARE(h->answers(), (QStringList{"1", "4", "#", "5"}));

    // Once another paper runs behind the results, Revisar shows nothing of it.
    Start(*h);
    QTest::mouseClick(Control<QPushButton>(h->resultado.get(), "btRevisar"), Qt::LeftButton);
    QVERIFY(!review->isVisible());
}

QTEST_MAIN(TestExamLearning)
#include "tst_ExamLearning.moc"
