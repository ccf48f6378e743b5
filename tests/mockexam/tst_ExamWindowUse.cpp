// The exam window as a person uses it, through the real widgets with the
// injected clock: the top strip on narrow and wide screens, the duration
// field, the hint and the clock's colour, the answer card, the review beside
// the answer column, and right/wrong papers' words.
#include "ExamHarness.h"

#include "app/TFocusImage.h"
#include "mockexam/AnswerCard.h"
#include "mockexam/DurationBox.h"
#include "mockexam/QuestionBox.h"
#include "mockexam/StripHint.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>

using namespace zelvora::gui;

namespace {

// One paper "P" (p.pdf) with the given key and info file (none when empty).
std::unique_ptr<ExamHarness> Paper(const QStringList& key, const QByteArray& info, QSize size = {1280, 768})
{
    auto h = std::make_unique<ExamHarness>();
    h->folder.write(QStringLiteral("lista.txt"), "P#p.pdf\r\n");
    h->folder.writePdf(QStringLiteral("p.pdf"), QStringLiteral("P"));
    h->folder.writeKey(QStringLiteral("p.txt"), key);
    if (!info.isEmpty())
        h->folder.write(QStringLiteral("p.ini"), info);
    h->create();
    h->simul->show();
    // The answer keys are the window's shortcuts: it must be the active one.
    if (!QTest::qWaitForWindowActive(h->simul.get()))
        qWarning("exam window not active");
    // The screen the test stands for, larger than the offscreen one.
    h->simul->setWindowState(Qt::WindowNoState);
    h->simul->resize(size);
    QCoreApplication::processEvents();
    return h;
}

void Pick(ExamHarness& h)
{
    ExamHarness::pick(Control<QComboBox>(h.simul.get(), "comboProva"), 0);
}

void Start(ExamHarness& h)
{
    QTest::mouseClick(Control<TFocusImage>(h.simul.get(), "btInicio"), Qt::LeftButton);
}

void Finish(ExamHarness& h)
{
    QTest::mouseClick(Control<TFocusImage>(h.simul.get(), "btFim"), Qt::LeftButton);
}

QStringList Keys(int n)
{
    QStringList out;
    for (int i = 0; i < n; ++i)
        out << QString::number(i % 5 + 1);
    return out;
}

// The widgets a person sees in the top strip, by name.
QList<QWidget*> StripWidgets(ExamHarness& h)
{
    QList<QWidget*> out;
    auto* strip = Control<QWidget>(h.simul.get(), "pTop");
    for (QWidget* w : strip->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->isVisible() && w->objectName() != QLatin1String("imLogo"))
            out << w;
    return out;
}

} // namespace

class TestExamWindowUse : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil)); }
    void topStripFits_data();
    void topStripFits();
    void durationField_data();
    void durationField();
    void durationRefusesWhatItCannotRead();
    void clockColour_data();
    void clockColour();
    void answerCard();
    void answerCardByKeyboard();
    void reviewCoversNoPaper();
    void rightWrongWords();
};

void TestExamWindowUse::topStripFits_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("running");
    for (const int w : {1024, 1280, 1366, 1920}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 idle").arg(w))) << w << false;
        QTest::newRow(qPrintable(QStringLiteral("%1 running").arg(w))) << w << true;
    }
}

// No two controls of the strip overlap and every one lies inside the window;
// the hint shows whole where there is room and leaves once the exam runs.
void TestExamWindowUse::topStripFits()
{
    QFETCH(int, width);
    QFETCH(bool, running);
    auto h = Paper(Keys(3), "duracao=3:00", QSize(width, 768));
    Pick(*h);
    if (running)
        Start(*h);
    QCOMPARE(h->simul->width(), width);
    const QList<QWidget*> widgets = StripWidgets(*h);
    QStringList names;
    for (QWidget* w : widgets)
        names << w->objectName();
    for (const char* expected : {"Label1", "Label2", "comboProva", "btInicio", "edDuracao", "lDuracao",
                                 "btAdicionarProva", "btHistorico", "lDica"})
        QVERIFY2(names.contains(QLatin1String(expected)), expected);
    const QRect strip(0, 0, width, 117);
    for (int a = 0; a < widgets.size(); ++a) {
        QVERIFY2(strip.contains(widgets[a]->geometry()), qPrintable(widgets[a]->objectName()));
        for (int b = a + 1; b < widgets.size(); ++b)
            QVERIFY2(!widgets[a]->geometry().intersects(widgets[b]->geometry()),
                     qPrintable(widgets[a]->objectName() + QStringLiteral(" over ") + widgets[b]->objectName()));
    }
    // The duration field and its label stay above the rule at y 74.
    QVERIFY(Control<QWidget>(h->simul.get(), "edDuracao")->geometry().bottom() < 74);
    QVERIFY(Control<QWidget>(h->simul.get(), "lDuracao")->geometry().bottom() < 74);
    const auto* hint = Control<StripHint>(h->simul.get(), "lDica");
    if (running) {
        QCOMPARE(hint->shownText(), QString());
    } else {
        // Whole in the strip where it fits, in the empty selector elsewhere.
        const QString shown = hint->shownText();
        QVERIFY(shown.isEmpty() || hint->fontMetrics().horizontalAdvance(shown) <= hint->width());
        if (width >= 1280)
            QCOMPARE(shown, StripHint::Text);
        auto* combo = Control<QComboBox>(h->simul.get(), "comboProva");
        QCOMPARE(combo->placeholderText(), shown.isEmpty() ? StripHint::Text : QString());
    }
}

void TestExamWindowUse::durationField_data()
{
    QTest::addColumn<QByteArray>("info");
    QTest::addColumn<QString>("shown"); // after the pick
    QTest::addColumn<QString>("placeholder");
    QTest::newRow("a paper with a limit") << QByteArray("duracao=3:00") << "3:00"
                                          << "sem limite";
    QTest::newRow("a paper without one") << QByteArray() << ""
                                         << "sem limite";
}

// Labelled; empty and disabled before a paper is chosen, then the paper's
// limit; locked while the exam runs, free again once it is finished.
void TestExamWindowUse::durationField()
{
    QFETCH(QByteArray, info);
    QFETCH(QString, shown);
    QFETCH(QString, placeholder);
    auto h = Paper(Keys(3), info);
    auto* box = Control<DurationBox>(h->simul.get(), "edDuracao");
    auto* label = Control<QLabel>(h->simul.get(), "lDuracao");
    QCOMPARE(label->text(), QStringLiteral("Duração:"));
    QCOMPARE(label->buddy(), box);
    QVERIFY(label->geometry().right() < box->x());
    QVERIFY(!box->isEnabled());
    QCOMPARE(box->text(), QString());
    QCOMPARE(box->placeholderText(), DurationBox::NoPaper);

    Pick(*h);
    QVERIFY(box->isEnabled());
    QCOMPARE(box->text(), shown);
    QCOMPARE(box->placeholderText(), placeholder);

    Start(*h);
    QVERIFY(box->isReadOnly());
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("9"));
    QCOMPARE(box->text(), shown);
    Finish(*h);
    QVERIFY(!box->isReadOnly());
    // Shown again, the window forgets the paper and its limit.
    h->simul->close();
    h->simul->show();
    QVERIFY(!box->isEnabled());
    QCOMPARE(box->text(), QString());
}

void TestExamWindowUse::durationRefusesWhatItCannotRead()
{
    auto h = Paper(Keys(3), "duracao=3:00");
    Pick(*h);
    auto* box = Control<DurationBox>(h->simul.get(), "edDuracao");
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("abc"));
    QTest::keyClick(box, Qt::Key_Return);
    // What was typed stays for the user to mend.
    QCOMPARE(box->text(), QStringLiteral("abc"));
    Start(*h);
    QCOMPARE(h->messages.texts.size(), 1);
    QVERIFY(h->messages.texts[0].contains(QStringLiteral("\"abc\"")));
    QVERIFY(Control<QScrollArea>(h->simul.get(), "pResp")->isHidden());
    QCOMPARE(h->clock->interval(), 0);
    // Mended, it starts with the limit typed.
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("0:10"));
    Start(*h);
    QVERIFY(Control<QScrollArea>(h->simul.get(), "pResp")->isVisible());
    h->clock->tick();
    QCOMPARE(Control<QLabel>(h->simul.get(), "lTempo")->text(), QStringLiteral("0:09:59"));
}

void TestExamWindowUse::clockColour_data()
{
    QTest::addColumn<QByteArray>("info");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<bool>("ending");
    QTest::newRow("no limit") << QByteArray() << 400 << false;
    QTest::newRow("six minutes left") << QByteArray("duracao=0:07") << 60 << false;
    QTest::newRow("five minutes and a second left") << QByteArray("duracao=0:07") << 119 << false;
    QTest::newRow("five minutes left") << QByteArray("duracao=0:07") << 120 << true;
    QTest::newRow("a minute left") << QByteArray("duracao=0:07") << 360 << true;
    QTest::newRow("a short exam from the start") << QByteArray("duracao=0:03") << 0 << true;
}

void TestExamWindowUse::clockColour()
{
    QFETCH(QByteArray, info);
    QFETCH(int, ticks);
    QFETCH(bool, ending);
    auto h = Paper(Keys(3), info);
    Pick(*h);
    Start(*h);
    for (int i = 0; i < ticks; ++i)
        h->clock->tick();
    const QColor colour = Control<QLabel>(h->simul.get(), "lTempo")->palette().color(QPalette::WindowText);
    QCOMPARE(colour != QColor(Qt::white), ending);
    // A new showing starts white again.
    h->simul->close();
    h->simul->show();
    QCOMPARE(Control<QLabel>(h->simul.get(), "lTempo")->palette().color(QPalette::WindowText), QColor(Qt::white));
}

// A cell per question under the buttons with the letter marked and the
// review mark, named for screen readers; a click goes to the question.
void TestExamWindowUse::answerCard()
{
    auto h = Paper(Keys(12), QByteArray());
    Pick(*h);
    Start(*h);
    auto* card = Control<AnswerCard>(h->simul.get(), "gCartao");
    QVERIFY(card->isVisible());
    QCOMPARE(card->questionCount(), 12);
    // Below the buttons, above the clock, inside the column.
    QVERIFY(card->y() >= Control<TFocusImage>(h->simul.get(), "btSair")->geometry().bottom());
    QVERIFY(card->geometry().bottom() < Control<QLabel>(h->simul.get(), "lTempo")->y());
    QVERIFY(card->geometry().right() < 198);

    QTest::keyClick(h->simul.get(), Qt::Key_B);
    QTest::keyClick(h->simul.get(), Qt::Key_R);
    QCOMPARE(card->cellText(0), QStringLiteral("1 B"));
    QCOMPARE(card->cellName(0), QStringLiteral("Questão 1: marcada B, revisar"));
    QCOMPARE(card->cellName(1), QStringLiteral("Questão 2: em branco"));

    QTest::mouseClick(card->viewport(), Qt::LeftButton, {}, card->cellRect(7).center());
    QCOMPARE(h->simul->answers().current(), 7);
    QCOMPARE(Control<QComboBox>(h->simul.get(), "cbQuestao")->currentIndex(), 7);
    QCOMPARE(card->current(), 7);
    // The keys still answer the question the card went to.
    QTest::keyClick(h->simul.get(), Qt::Key_E);
    QCOMPARE(h->answers()[7], QStringLiteral("5"));
    QCOMPARE(card->cellText(7), QStringLiteral("8 E"));
    // Next moves the card's mark too.
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btProxima"), Qt::LeftButton);
    QCOMPARE(card->current(), 8);

    // Each cell's accessible name is what the card says of it.
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(card);
    QVERIFY(list);
    QCOMPARE(list->text(QAccessible::Name), QStringLiteral("Cartão de respostas"));
    QStringList names;
    for (int i = 0; i < list->childCount(); ++i)
        if (QAccessibleInterface* cell = list->child(i))
            names << cell->text(QAccessible::Name);
    QVERIFY2(names.contains(QStringLiteral("Questão 8: marcada E")), qPrintable(names.join('|')));
}

void TestExamWindowUse::answerCardByKeyboard()
{
    auto h = Paper(Keys(6), QByteArray());
    Pick(*h);
    Start(*h);
    auto* card = Control<AnswerCard>(h->simul.get(), "gCartao");
    QVERIFY(card->focusPolicy() & Qt::TabFocus);
    card->setFocus();
    QTest::keyClick(card, Qt::Key_Right);
    QTest::keyClick(card, Qt::Key_Right);
    QTest::keyClick(card, Qt::Key_Return);
    QCOMPARE(h->simul->answers().current(), 2);
}

// The results step aside and the review stands beside the answer column,
// over no part of the paper; the verdict is large. Closing the review brings
// the results back and gives the paper its width again.
void TestExamWindowUse::reviewCoversNoPaper()
{
    auto h = Paper(Keys(5), QByteArray(), QSize(1024, 768));
    Pick(*h);
    Start(*h);
    QTest::keyClick(h->simul.get(), Qt::Key_A);
    Finish(*h);
    QVERIFY(h->resultado->isVisible());
    auto* paper = Control<QWidget>(h->simul.get(), "pPDF");
    const int paperWidth = paper->width();
    QTest::mouseClick(Control<QPushButton>(h->resultado.get(), "btRevisar"), Qt::LeftButton);
    auto* review = Control<QDialog>(h->simul.get(), "TformRevisao");
    QVERIFY(review->isVisible());
    QVERIFY(!h->resultado->isVisible());
    const QRect paperOnScreen(paper->mapToGlobal(QPoint()), paper->size());
    QVERIFY2(!review->frameGeometry().intersects(paperOnScreen),
             qPrintable(QStringLiteral("review %1,%2 %3x%4, paper right %5")
                            .arg(review->x())
                            .arg(review->y())
                            .arg(review->width())
                            .arg(review->height())
                            .arg(paperOnScreen.right())));
    const QRect column(Control<QWidget>(h->simul.get(), "pResp")->mapToGlobal(QPoint()), QSize(198, 1));
    QVERIFY(review->frameGeometry().right() < column.left());
    QVERIFY(QRect(h->simul->mapToGlobal(QPoint()), h->simul->size()).contains(review->frameGeometry()));
    QVERIFY(paper->width() >= 1024 / 3);

    // Question 2 left blank: the verdict says so, in large type.
    auto* list = Control<QListWidget>(review, "lbQuestoes");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    auto* verdict = Control<QLabel>(h->simul.get(), "lGabarito");
    QCOMPARE(verdict->text(), QStringLiteral("Gabarito: B\nSua resposta: em branco"));
    QVERIFY(verdict->font().pixelSize() >= 15);
    QVERIFY(verdict->heightForWidth(verdict->width()) <= verdict->height());
    QVERIFY(verdict->geometry().bottom() < Control<QLabel>(h->simul.get(), "lTempo")->y());
    // A cell of the card shows its question in the review too.
    auto* card = Control<AnswerCard>(h->simul.get(), "gCartao");
    QTest::mouseClick(card->viewport(), Qt::LeftButton, {}, card->cellRect(0).center());
    QCOMPARE(verdict->text(), QStringLiteral("Gabarito: A\nSua resposta: A (certa)"));

    review->close();
    QTRY_VERIFY(h->resultado->isVisible());
    QCOMPARE(paper->width(), paperWidth);
    QVERIFY(h->simul->isVisible());
}

// A right/wrong paper says "Item" and spells its options out, each whole in
// the answer box; its net score leads the results' footer, never cut off.
void TestExamWindowUse::rightWrongWords()
{
    QStringList key;
    for (int i = 0; i < 40; ++i)
        key << (i % 2 ? "E" : "C");
    auto h = Paper(key, "tipo=certo-errado\r\npontuacao=anula\r\n");
    Pick(*h);
    Start(*h);
    QCOMPARE(Control<QLabel>(h->simul.get(), "lQuestao")->text(), QStringLiteral("Selecione o item:"));
    QCOMPARE(Control<QComboBox>(h->simul.get(), "cbQuestao")->itemText(0), QStringLiteral("Item 1"));
    auto* box = Control<QGroupBox>(h->simul.get(), "rgResposta");
    for (int i = 0; i < 2; ++i) {
        QRadioButton* option = AnswerOption(h->simul.get(), i);
        QCOMPARE(option->text(), i == 0 ? QStringLiteral("Certo") : QStringLiteral("Errado"));
        QVERIFY(option->sizeHint().width() <= option->width());
        QVERIFY(box->rect().contains(option->geometry()));
    }
    // Every item answered wrongly: a long net score.
    for (int q = 0; q < 40; ++q) {
        QTest::keyClick(h->simul.get(), q % 2 ? Qt::Key_C : Qt::Key_E);
        QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btProxima"), Qt::LeftButton);
    }
    Finish(*h);
    const auto lines = Control<QWidget>(h->resultado.get(), "pRodape")->findChildren<QLabel*>();
    QVERIFY(!lines.isEmpty());
    QCOMPARE(lines.first()->text(), QStringLiteral("Nota líquida (certas - erradas): -40 (0 certas - 40 erradas)"));
    for (const QLabel* l : lines) {
        QVERIFY(l->heightForWidth(l->width()) <= l->height());
        QVERIFY(h->resultado->rect().contains(QRect(l->mapTo(h->resultado.get(), QPoint()), l->size())));
    }
}

QTEST_MAIN(TestExamWindowUse)
#include "tst_ExamWindowUse.moc"
