// The results window: its layout, the texts a finished exam puts in it in a
// Brazilian locale, finishing again, and closing.
#include "ExamHarness.h"

#include "app/ImageView.h"
#include "app/TFocusImage.h"
#include "mockexam/ResultsFooter.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace zelvora::gui;

namespace {

std::unique_ptr<ExamHarness> Running(const QByteArray& info = {})
{
    auto h = std::make_unique<ExamHarness>();
    h->folder.write(QStringLiteral("lista.txt"), "Prova#p.pdf\r\n");
    h->folder.writePdf(QStringLiteral("p.pdf"), QStringLiteral("Prova"));
    h->folder.writeKey(QStringLiteral("p.txt"), {"1", "2", "3"});
    if (!info.isEmpty())
        h->folder.write(QStringLiteral("p.ini"), info);
    h->create();
    h->simul->show();
    ExamHarness::pick(Control<QComboBox>(h->simul.get(), "comboProva"), 0);
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btInicio"), Qt::LeftButton);
    return h;
}

// answers: one character per question, "#" to skip, "1" to "5" to mark.
void Answer(ExamHarness& h, const QString& answers)
{
    for (int q = 0; q < answers.size(); ++q) {
        ExamHarness::pick(Control<QComboBox>(h.simul.get(), "cbQuestao"), q);
        if (answers[q] != QLatin1Char('#'))
            QTest::mouseClick(AnswerOption(h.simul.get(), answers[q].digitValue() - 1), Qt::LeftButton, {},
                              QPoint(7, 9));
    }
}

} // namespace

class TestTformResultado : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void layout_data();
    void layout();
    void scoreTexts_data();
    void scoreTexts();
    void finishingAgainRecomputes();
    void pointLocale();
    void closingResultsClosesTheExam_data();
    void closingResultsClosesTheExam();
    void closingTheExamLeavesResults();
    void buttonRowFitsInTheWindow();
    void blankLine_data();
    void blankLine();
    void valuesNeverTouchTheirLabels_data();
    void valuesNeverTouchTheirLabels();
    void boardLines_data();
    void boardLines();
    void manyLinesScrollInsideTheScreen();
};

void TestTformResultado::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("place");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");

    QTest::newRow("lResultado") << "lResultado" << QPoint(8, 8) << "Resultado" << 19 << true << false;
    QTest::newRow("Label1") << "Label1" << QPoint(8, 40) << "Acertos:" << 16 << false << false;
    QTest::newRow("lAcerto") << "lAcerto" << QPoint(71, 40) << "" << 16 << false << false;
    QTest::newRow("Label2") << "Label2" << QPoint(8, 68) << "Porcentagem de acerto:" << 16 << false << false;
    QTest::newRow("lPorc") << "lPorc" << QPoint(180, 68) << "" << 16 << false << false;
    QTest::newRow("Label9") << "Label9" << QPoint(9, 109) << "Tempo total:" << 16 << false << false;
    QTest::newRow("lTTotal") << "lTTotal" << QPoint(100, 109) << "" << 16 << false << false;
    QTest::newRow("Label3") << "Label3" << QPoint(8, 134) << "Questões por segundo:" << 16 << false << false;
    QTest::newRow("lMedia") << "lMedia" << QPoint(173, 134) << "" << 16 << false << false;
    QTest::newRow("Label4") << "Label4" << QPoint(8, 172) << "Questões certas:" << 16 << false << false;
    QTest::newRow("lQC") << "lQC" << QPoint(8, 194) << "" << 15 << false << true;
    QTest::newRow("Label5") << "Label5" << QPoint(8, 327) << "Questões erradas:" << 16 << false << false;
    QTest::newRow("lQE") << "lQE" << QPoint(8, 351) << "" << 15 << false << true;
}

void TestTformResultado::layout()
{
    QFETCH(QString, name);
    QFETCH(QPoint, place);
    QFETCH(QString, text);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    ExamHarness h;
    h.create();
    TformResultado* r = h.resultado.get();
    // The picture's 363 x 446 and a row of buttons below it.
    QCOMPARE(r->size(), QSize(363, 446 + 44));
    QVERIFY(r->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(r->windowTitle(), QStringLiteral("Zelvora"));
    QCOMPARE(Control<ImageView>(r, "imResultado")->picture().size(), QSize(363, 446));

    QLabel* l = Control<QLabel>(r, name);
    // A value may stand right of its place where the font is wider than the
    // layout's, never left of it or on its label.
    if (l->x() != place.x() && (name == "lAcerto" || name == "lPorc" || name == "lTTotal" || name == "lMedia"))
        QVERIFY(l->x() > place.x());
    else
        QCOMPARE(l->pos(), place);
    QCOMPARE(l->y(), place.y());
    QCOMPARE(l->text(), text);
    QCOMPARE(l->font().pixelSize(), pixelSize);
    QCOMPARE(l->font().bold(), bold);
    QCOMPARE(l->font().italic(), italic);
    QCOMPARE(QFontInfo(l->font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(l->palette().color(QPalette::WindowText), QColor(Qt::white));
    // The two rules span the window.
    const QLabel* rule8 = Control<QLabel>(r, "Label8");
    const QLabel* rule7 = Control<QLabel>(r, "Label7");
    QCOMPARE(rule8->geometry(), QRect(5, 89, 354, rule8->height()));
    QCOMPARE(rule7->geometry(), QRect(5, 153, 354, rule7->height()));
    QVERIFY(rule8->text().startsWith(QStringLiteral("____")));
    const QLabel* right = Control<QLabel>(r, "lQC");
    const QLabel* wrong = Control<QLabel>(r, "lQE");
    QCOMPARE(right->size(), QSize(205, 121));
    QCOMPARE(wrong->size(), QSize(345, 87));
    QVERIFY(right->wordWrap() && wrong->wordWrap());
}

void TestTformResultado::scoreTexts_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QStringList>("texts"); // lAcerto lPorc lTTotal lMedia lQC lQE

    QTest::newRow("before the first tick")
        << 0 << "1##" << QStringList{"1 de 3", "33,33%", "0 segundos", "0,00", "1", "2, 3"};
    QTest::newRow("two of three") << 3 << "12#" << QStringList{"2 de 3", "66,67%", "3 segundos", "0,67", "1, 2", "3"};
    QTest::newRow("none answered") << 5 << "###" << QStringList{"0 de 3", "0,00%", "5 segundos", "0,00", "", "1, 2, 3"};
    QTest::newRow("all right") << 10 << "123" << QStringList{"3 de 3", "100,00%", "10 segundos", "0,30", "1, 2, 3", ""};
    QTest::newRow("wrong options") << 125 << "543"
                                   << QStringList{"1 de 3", "33,33%", "125 segundos", "0,02", "3", "1, 2"};
}

void TestTformResultado::scoreTexts()
{
    QFETCH(int, ticks);
    QFETCH(QString, answers);
    QFETCH(QStringList, texts);
    auto h = Running();
    Answer(*h, answers);
    for (int i = 0; i < ticks; ++i)
        h->clock->tick();
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btFim"), Qt::LeftButton);
    TformResultado* r = h->resultado.get();
    QVERIFY(r->isVisible());
    QCOMPARE(r->windowTitle(), QStringLiteral("Zelvora"));
    QCOMPARE((QStringList{Control<QLabel>(r, "lAcerto")->text(), Control<QLabel>(r, "lPorc")->text(),
                          Control<QLabel>(r, "lTTotal")->text(), Control<QLabel>(r, "lMedia")->text(),
                          Control<QLabel>(r, "lQC")->text(), Control<QLabel>(r, "lQE")->text()}),
             texts);
    QCOMPARE(h->clock->interval(), 0);
    // The exam window stays as it is behind the results.
    QVERIFY(h->simul->isVisible());
    QVERIFY(Control<QScrollArea>(h->simul.get(), "pResp")->isVisible());
}

void TestTformResultado::finishingAgainRecomputes()
{
    auto h = Running();
    Answer(*h, QStringLiteral("1"));
    for (int i = 0; i < 4; ++i)
        h->clock->tick();
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btFim"), Qt::LeftButton);
    QCOMPARE(Control<QLabel>(h->resultado.get(), "lAcerto")->text(), QStringLiteral("1 de 3"));
    QCOMPARE(Control<QLabel>(h->resultado.get(), "lMedia")->text(), QStringLiteral("0,25"));
    // The clock is stopped: the same T, the new answers.
    h->clock->tick();
    Answer(*h, QStringLiteral("#23"));
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btFim"), Qt::LeftButton);
    QCOMPARE(Control<QLabel>(h->resultado.get(), "lAcerto")->text(), QStringLiteral("3 de 3"));
    QCOMPARE(Control<QLabel>(h->resultado.get(), "lPorc")->text(), QStringLiteral("100,00%"));
    QCOMPARE(Control<QLabel>(h->resultado.get(), "lTTotal")->text(), QStringLiteral("4 segundos"));
    QCOMPARE(Control<QLabel>(h->resultado.get(), "lMedia")->text(), QStringLiteral("0,75"));
    QCOMPARE(Control<QLabel>(h->resultado.get(), "lQC")->text(), QStringLiteral("1, 2, 3"));
    QCOMPARE(Control<QLabel>(h->resultado.get(), "lQE")->text(), QString());
}

void TestTformResultado::pointLocale()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    auto h = Running();
    Answer(*h, QStringLiteral("1"));
    h->clock->tick();
    h->clock->tick();
    h->clock->tick();
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btFim"), Qt::LeftButton);
    QCOMPARE(Control<QLabel>(h->resultado.get(), "lPorc")->text(), QStringLiteral("33.33%"));
    QCOMPARE(Control<QLabel>(h->resultado.get(), "lMedia")->text(), QStringLiteral("0.33"));
}

void TestTformResultado::closingResultsClosesTheExam_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("close box") << "close";
    QTest::newRow("Escape key") << "escape";
    QTest::newRow("Fechar button") << "fechar";
    QTest::newRow("Fechar by keyboard") << "fechar-key";
}

void TestTformResultado::closingResultsClosesTheExam()
{
    QFETCH(QString, how);
    auto h = Running();
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btFim"), Qt::LeftButton);
    QVERIFY(h->resultado->isVisible());
    auto* fechar = Control<QPushButton>(h->resultado.get(), "btFechar");
    if (how == "escape") {
        QTest::keyClick(h->resultado.get(), Qt::Key_Escape);
    } else if (how == "fechar") {
        QTest::mouseClick(fechar, Qt::LeftButton);
    } else if (how == "fechar-key") {
        fechar->setFocus();
        QTest::keyClick(fechar, Qt::Key_Space);
    } else {
        h->resultado->close();
    }
    QTRY_VERIFY(!h->resultado->isVisible());
    QVERIFY(!h->simul->isVisible());
    QCOMPARE(h->clock->interval(), 0);
    // Shown again, the exam window is idle.
    h->simul->show();
    QVERIFY(!Control<TFocusImage>(h->simul.get(), "btInicio")->isEnabled());
    QVERIFY(Control<QScrollArea>(h->simul.get(), "pResp")->isHidden());
}

void TestTformResultado::closingTheExamLeavesResults()
{
    auto h = Running();
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btFim"), Qt::LeftButton);
    h->simul->close();
    QVERIFY(!h->simul->isVisible());
    QVERIFY(h->resultado->isVisible());
}

// Revisar, Fechar and Histórico side by side in the row below the picture,
// none over another, all inside the window.
void TestTformResultado::buttonRowFitsInTheWindow()
{
    ExamHarness h;
    h.create();
    TformResultado* r = h.resultado.get();
    r->show();
    QVERIFY(QTest::qWaitForWindowExposed(r));
    const QRect revisar = Control<QPushButton>(r, "btRevisar")->geometry().translated(0, 446);
    const QRect fechar = Control<QPushButton>(r, "btFechar")->geometry();
    const QRect historico = Control<QPushButton>(r, "btHistorico")->geometry();
    QCOMPARE(Control<QPushButton>(r, "btFechar")->text(), QStringLiteral("Fechar"));
    for (const QRect& b : {revisar, fechar, historico}) {
        QVERIFY2(r->rect().contains(b) && b.top() >= 446,
                 qPrintable(QStringLiteral("%1,%2 %3x%4").arg(b.x()).arg(b.y()).arg(b.width()).arg(b.height())));
    }
    QVERIFY(revisar.right() < fechar.left());
    QVERIFY(fechar.right() < historico.left());
}

void TestTformResultado::blankLine_data()
{
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QString>("line"); // empty: no such line

    QTest::newRow("none blank") << "123"
                                << "";
    QTest::newRow("one blank") << "12#"
                               << "Em branco: 1 questão (listada entre as erradas)";
    QTest::newRow("all blank") << "###"
                               << "Em branco: 3 questões (listadas entre as erradas)";
    QTest::newRow("wrong answers are not blank") << "5#4"
                                                 << "Em branco: 1 questão (listada entre as erradas)";
}

// The results list blanks among the wrong questions; the footer counts them.
void TestTformResultado::blankLine()
{
    QFETCH(QString, answers);
    QFETCH(QString, line);
    auto h = Running();
    Answer(*h, answers);
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btFim"), Qt::LeftButton);
    QStringList lines;
    for (const QLabel* l : Control<QWidget>(h->resultado.get(), "pRodape")->findChildren<QLabel*>())
        lines << l->text();
    QCOMPARE(lines, line.isEmpty() ? QStringList() : QStringList{line});
    // The specified list is unchanged: blanks stay among the wrong ones.
    const QString wrong = Control<QLabel>(h->resultado.get(), "lQE")->text();
    for (int q = 0; q < answers.size(); ++q)
        if (answers[q] == QLatin1Char('#'))
            QVERIFY(wrong.contains(QString::number(q + 1)));
    // The window grows so the line and the buttons below it stay whole.
    QVERIFY(h->resultado->height() >= 446 + 44 + (line.isEmpty() ? 0 : 21));
}

void TestTformResultado::valuesNeverTouchTheirLabels_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("value");
    QTest::newRow("hits") << "Label1"
                          << "lAcerto";
    QTest::newRow("percentage") << "Label2"
                                << "lPorc";
    QTest::newRow("time") << "Label9"
                          << "lTTotal";
    QTest::newRow("rate") << "Label3"
                          << "lMedia";
}

// At least a space of the label's font lies between the end of the label's
// text and its value, as the results window shows them after scoring.
void TestTformResultado::valuesNeverTouchTheirLabels()
{
    QFETCH(QString, label);
    QFETCH(QString, value);
    ExamHarness h;
    h.create();
    TformResultado* r = h.resultado.get();
    const QLabel* l = Control<QLabel>(r, label);
    const QFontMetrics metrics(l->font());
    const int textEnd = l->x() + metrics.horizontalAdvance(l->text());
    QVERIFY2(Control<QLabel>(r, value)->x() >= textEnd + metrics.horizontalAdvance(QLatin1Char(' ')),
             qPrintable(l->text()));
}

void TestTformResultado::boardLines_data()
{
    QTest::addColumn<QByteArray>("info");
    QTest::addColumn<QStringList>("lines"); // after the lines a paper had before
    QTest::addColumn<QStringList>("alerts");

    // Answers 1 2 4 against the key 1 2 3.
    QTest::newRow("no board rules, nothing new")
        << QByteArray("pontuacao=anula") << QStringList{"Nota líquida (certas - erradas): 1 (2 certas - 1 errada)"}
        << QStringList{""};
    QTest::newRow("a block under its minimum, above the cut-off")
        << QByteArray("bloco=A: 1-2; minimo=3\ncorte=1,5")
        << QStringList{"A (mínimo 3)", "   2 certas, 0 erradas: 2 de 2 pontos", "Total: 2 de 3 pontos",
                       "0,5 pontos acima da nota de corte (1,5)"}
        << QStringList{"eliminado", "", "eliminado", ""};
    QTest::newRow("cancelling, weighted, below the cut-off")
        << QByteArray("pontuacao=anula\nbloco=B: 2-3; peso=2\ncorte=4")
        << QStringList{"Nota líquida (certas - erradas): 1 (2 certas - 1 errada)", "B (peso 2)",
                       "   1 certa, 1 errada, líquida 0: 0 de 4 pontos", "Total: 1 de 5 pontos",
                       "3 pontos abaixo da nota de corte (4)"}
        << QStringList{"", "", "", "", ""};
}

void TestTformResultado::boardLines()
{
    QFETCH(QByteArray, info);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, alerts);
    auto h = Running(info);
    Answer(*h, QStringLiteral("124"));
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btFim"), Qt::LeftButton);
    auto* footer = Control<ResultsFooter>(h->resultado.get(), "pRodape");
    QCOMPARE(footer->lines(), lines);
    QCOMPARE(footer->alerts(), alerts);
    QCOMPARE(Control<QLabel>(h->resultado.get(), "lAcerto")->text(), QStringLiteral("2 de 3"));
    for (QLabel* alert : footer->findChildren<QLabel*>(QStringLiteral("lAlerta"))) {
        QCOMPARE(alert->text(), QStringLiteral("eliminado"));
        const QColor red = alert->palette().color(QPalette::WindowText);
        QVERIFY(red.red() > 200 && red.green() < 100 && red.blue() < 100);
        QVERIFY(alert->isVisible());
    }
}

// A file of very many subjects: the window still fits the screen, its lines
// scroll in the footer and the buttons stay on the window.
void TestTformResultado::manyLinesScrollInsideTheScreen()
{
    QByteArray info;
    for (int i = 0; i < 10000; ++i)
        info += "disciplina=D" + QByteArray::number(i) + ": 1-3\r\n";
    auto h = Running(info);
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btFim"), Qt::LeftButton);
    auto* footer = Control<ResultsFooter>(h->resultado.get(), "pRodape");
    // The 200 subjects kept, then the count of blank questions.
    QCOMPARE(footer->lines().size(), 201);
    const int screen = h->resultado->screen()->availableGeometry().height();
    QVERIFY2(h->resultado->height() <= screen, qPrintable(QString::number(h->resultado->height())));
    auto* scroll = Control<QScrollArea>(h->resultado.get(), "sbRodape");
    QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
    for (const char* button : {"btRevisar", "btHistorico"}) {
        const QWidget* b = Control<QWidget>(h->resultado.get(), button);
        QVERIFY(h->resultado->rect().contains(QRect(b->mapTo(h->resultado.get(), QPoint(0, 0)), b->size())));
    }
    // The top of the window keeps its place: the picture and its labels.
    QCOMPARE(footer->y(), 446);
}

QTEST_MAIN(TestTformResultado)
#include "tst_TformResultado.moc"
