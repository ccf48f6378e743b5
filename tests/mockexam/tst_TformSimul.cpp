// The mock-exam window driven offscreen: the paper selector, starting a
// paper, the answer column, the clock, closing, and every bad input.
#include "ExamHarness.h"

#include "app/ImageView.h"
#include "app/TFocusImage.h"
#include "mockexam/TPdfViewer.h"
#include "support/HazardFile.h"
#include "text/DataFile.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPdfView>
#include <QRadioButton>
#include <QScrollArea>
#include <QSet>
#include <QTest>
#include <QWheelEvent>

using namespace zelvora::gui;

namespace {

const QString MsgLista = QStringLiteral("Não foi possível carregar a lista de simulados.");
const QString MsgProva = QStringLiteral("Não foi possível carregar a prova");
const QString MsgGabarito = QStringLiteral("Não foi possível carregar o gabarito da prova.");

QStringList Numbered(int count, const QString& digit)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << digit;
    return out;
}

// "Zeta" (z.pdf, 3 questions, key 1 2 3) listed before "Alfa" (a.pdf,
// 5 questions, key 1 to 5).
std::unique_ptr<ExamHarness> Standard()
{
    auto h = std::make_unique<ExamHarness>();
    h->folder.write(QStringLiteral("lista.txt"), "Zeta#z.pdf\r\nAlfa#a.pdf\r\n");
    h->folder.writePdf(QStringLiteral("z.pdf"), QStringLiteral("Zeta"));
    h->folder.writeKey(QStringLiteral("z.txt"), {"1", "2", "3"});
    h->folder.writePdf(QStringLiteral("a.pdf"), QStringLiteral("Alfa"), 3);
    h->folder.writeKey(QStringLiteral("a.txt"), {"1", "2", "3", "4", "5"});
    h->create();
    h->simul->show();
    if (!QTest::qWaitForWindowActive(h->simul.get()))
        qWarning("exam window not active");
    return h;
}

void Start(ExamHarness& h, const QString& name)
{
    const int index = Control<QComboBox>(h.simul.get(), "comboProva")->findText(name);
    QVERIFY2(index >= 0, qPrintable(name));
    ExamHarness::pick(Control<QComboBox>(h.simul.get(), "comboProva"), index);
    QTest::mouseClick(Control<TFocusImage>(h.simul.get(), "btInicio"), Qt::LeftButton);
}

void ClickOption(ExamHarness& h, int option)
{
    // On the round mark itself, where a click always lands on the button.
    QTest::mouseClick(AnswerOption(h.simul.get(), option), Qt::LeftButton, {}, QPoint(7, 9));
}

QPoint CentreIn(QWidget* child, QWidget* window)
{
    return child->mapTo(window, child->rect().center());
}

} // namespace

class TestTformSimul : public QObject {
    Q_OBJECT
private slots:
    void selectorIsSortedAndBound_data();
    void selectorIsSortedAndBound();
    void startShowsPaperAndQuestions();
    void secondClickWhileLoadingIsIgnored();
    void nextAndPrevious_data();
    void nextAndPrevious();
    void optionsFillColumnByColumn_data();
    void optionsFillColumnByColumn();
    void answeringStoresAndMarksOnce_data();
    void answeringStoresAndMarksOnce();
    void returningShowsStoredOption();
    void keysDoNothingWhileIdle();
    void clockCountsInjectedTicks();
    void startingAgainRestartsTheCount();
    void missingKeyLeavesTheExamAsItWas_data();
    void missingKeyLeavesTheExamAsItWas();
    void creationFailures_data();
    void creationFailures();
    void startFailures_data();
    void startFailures();
    void damagedPaperKeepsTheShownOne();
    void oddKeys_data();
    void oddKeys();
    void showingAgainReturnsToIdle();
    void freshWindowFocusesThePaperSelector();
    void closeWays_data();
    void closeWays();
    void resizeKeepsEdges();
    void pressEffect();
    void zoom();
};

void TestTformSimul::selectorIsSortedAndBound_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("pickIndex");
    QTest::addColumn<QString>("pdf");
    QTest::addColumn<int>("questions");

    QTest::newRow("Zeta before Alfa in the file")
        << QByteArray("Zeta#z.pdf\r\nAlfa#a.pdf\r\n") << QStringList{"Alfa", "Zeta"} << 0 << "a.pdf" << 3;
    QTest::newRow("letter case ignored") << QByteArray("beta#b.pdf\nAlfa#a.pdf\nGama#g.pdf")
                                         << QStringList{"Alfa", "beta", "Gama"} << 1 << "b.pdf" << 2;
    QTest::newRow("accented names") << QByteArray("\xC9tica#e.pdf\nDireito#d.pdf\nadministra\xE7\xE3o#ad.pdf")
                                    << QStringList{"administração", "Direito", "Ética"} << 2 << "e.pdf" << 2;
    QTest::newRow("equal names keep file order")
        << QByteArray("Prova#p1.pdf\nProva#p2.pdf") << QStringList{"Prova", "Prova"} << 1 << "p2.pdf" << 3;
    QTest::newRow("subfolder with backslash") << QByteArray("Prova 2008#2008\\prova01.pdf\r\nsem separador\r\n")
                                              << QStringList{"Prova 2008"} << 0 << "2008/prova01.pdf" << 2;
}

void TestTformSimul::selectorIsSortedAndBound()
{
    QFETCH(QByteArray, list);
    QFETCH(QStringList, items);
    QFETCH(int, pickIndex);
    QFETCH(QString, pdf);
    QFETCH(int, questions);

    ExamHarness h;
    QVERIFY(h.folder.write(QStringLiteral("lista.txt"), list));
    // Paper number i of the file gets a key of i + 2 questions, so the key
    // that loads tells which line the pick was bound to.
    int line = 0;
    for (const QByteArray& l : list.split('\n')) {
        const int hash = l.indexOf('#');
        if (hash < 0)
            continue;
        QString path = QString::fromLatin1(l.mid(hash + 1).trimmed());
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        QVERIFY(h.folder.writePdf(path, path));
        QString key = path;
        key.replace(QStringLiteral(".pdf"), QStringLiteral(".txt"));
        QVERIFY(h.folder.writeKey(key, Numbered(line + 2, QStringLiteral("1"))));
        ++line;
    }
    h.create();
    h.simul->show();
    QCOMPARE(ExamHarness::items(Control<QComboBox>(h.simul.get(), "comboProva")), items);
    QCOMPARE(Control<QComboBox>(h.simul.get(), "comboProva")->currentIndex(), -1);
    QVERIFY(!Control<TFocusImage>(h.simul.get(), "btInicio")->isEnabled());

    ExamHarness::pick(Control<QComboBox>(h.simul.get(), "comboProva"), pickIndex);
    QVERIFY(Control<TFocusImage>(h.simul.get(), "btInicio")->isEnabled());
    QTest::mouseClick(Control<TFocusImage>(h.simul.get(), "btInicio"), Qt::LeftButton);
    QVERIFY2(h.messages.texts.isEmpty(), qPrintable(h.messages.texts.join(';')));
    QCOMPARE(Control<TPdfViewer>(h.simul.get(), "PDF")->fileName(), h.folder.mockExamFolder() + pdf);
    QCOMPARE(Control<QComboBox>(h.simul.get(), "cbQuestao")->count(), questions);
    QCOMPARE(int(h.simul->answerKey().size()), questions);
}

void TestTformSimul::startShowsPaperAndQuestions()
{
    auto h = Standard();
    QVERIFY(Control<QScrollArea>(h->simul.get(), "pResp")->isHidden());
    QVERIFY(Control<TPdfViewer>(h->simul.get(), "PDF")->isHidden());
    QVERIFY(!Control<ImageView>(h->simul.get(), "imSimul")->picture().isNull());
    Start(*h, QStringLiteral("Alfa"));
    QVERIFY(h->messages.texts.isEmpty());
    QVERIFY(Control<TPdfViewer>(h->simul.get(), "PDF")->isVisible());
    QVERIFY(Control<QScrollArea>(h->simul.get(), "pResp")->isVisible());
    QCOMPARE(Control<TPdfViewer>(h->simul.get(), "PDF")->pageCount(), 3);
    QCOMPARE(Control<TPdfViewer>(h->simul.get(), "PDF")->view()->pageMode(), QPdfView::PageMode::MultiPage);
    QVERIFY(Control<TPdfViewer>(h->simul.get(), "PDF")->isFittedToWidth());
    QCOMPARE(ExamHarness::items(Control<QComboBox>(h->simul.get(), "cbQuestao")),
             (QStringList{"Questão 1", "Questão 2", "Questão 3", "Questão 4", "Questão 5"}));
    QCOMPARE(Control<QComboBox>(h->simul.get(), "cbQuestao")->currentIndex(), 0);
    QCOMPARE(h->answers(), Numbered(5, QStringLiteral("#")));
    QCOMPARE(h->simul->shownOption(), -1);
    // The wait window was up while the paper loaded and is gone now.
    QVERIFY(!h->waitSeen.isEmpty());
    QVERIFY(h->waitSeen.first());
    QVERIFY(!h->aguarde->isVisible());
    // The PDF area leaves room for the answer column.
    QCOMPARE(Control<QFrame>(h->simul.get(), "pPDF")->width(), h->simul->width() - 198);
    QCOMPARE(Control<QScrollArea>(h->simul.get(), "pResp")->x(), h->simul->width() - 198);
}

void TestTformSimul::secondClickWhileLoadingIsIgnored()
{
    auto h = Standard();
    int calls = 0;
    h->ctx.processEvents = [&] {
        // The user clicks start again while the wait window paints.
        if (++calls == 1)
            QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btInicio"), Qt::LeftButton);
    };
    Start(*h, QStringLiteral("Alfa"));
    QCOMPARE(calls, 2); // once before loading, once before hiding the wait window
    QVERIFY(h->messages.texts.isEmpty());
    QCOMPARE(Control<QComboBox>(h->simul.get(), "cbQuestao")->count(), 5);
    QVERIFY(!h->aguarde->isVisible());
}

void TestTformSimul::nextAndPrevious_data()
{
    QTest::addColumn<QString>("moves"); // n next, p previous, N Ctrl+Right, P Ctrl+Left, digit = pick
    QTest::addColumn<int>("current");

    QTest::newRow("next twice") << "nn" << 2;
    QTest::newRow("next on the last") << "4n" << 4;
    QTest::newRow("previous on the first") << "p" << 0;
    QTest::newRow("next past the end and back") << "nnnnnnp" << 3;
    QTest::newRow("Ctrl+Right and Ctrl+Left") << "NNNP" << 2;
    QTest::newRow("Ctrl+Left on the first") << "P" << 0;
    QTest::newRow("Ctrl+Right on the last") << "4N" << 4;
}

void TestTformSimul::nextAndPrevious()
{
    QFETCH(QString, moves);
    QFETCH(int, current);
    auto h = Standard();
    Start(*h, QStringLiteral("Alfa"));
    for (const QChar m : moves) {
        if (m == QLatin1Char('n'))
            QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btProxima"), Qt::LeftButton);
        else if (m == QLatin1Char('p'))
            QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btAnterior"), Qt::LeftButton);
        else if (m == QLatin1Char('N'))
            QTest::keyClick(h->simul.get(), Qt::Key_Right, Qt::ControlModifier);
        else if (m == QLatin1Char('P'))
            QTest::keyClick(h->simul.get(), Qt::Key_Left, Qt::ControlModifier);
        else
            ExamHarness::pick(Control<QComboBox>(h->simul.get(), "cbQuestao"), m.digitValue());
    }
    QCOMPARE(h->simul->answers().current(), current);
    QCOMPARE(Control<QComboBox>(h->simul.get(), "cbQuestao")->currentIndex(), current);
    QCOMPARE(h->answers(), Numbered(5, QStringLiteral("#")));
    QCOMPARE(h->simul->shownOption(), -1);
}

void TestTformSimul::optionsFillColumnByColumn_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("A") << 0 << 0 << 0;
    QTest::newRow("B") << 1 << 0 << 1;
    QTest::newRow("C") << 2 << 1 << 0;
    QTest::newRow("D") << 3 << 1 << 1;
    QTest::newRow("E") << 4 << 2 << 0;
}

void TestTformSimul::optionsFillColumnByColumn()
{
    QFETCH(int, option);
    QFETCH(int, column);
    QFETCH(int, row);
    auto h = Standard();
    Start(*h, QStringLiteral("Alfa"));
    QRadioButton* items[5];
    for (int i = 0; i < 5; ++i)
        items[i] = AnswerOption(h->simul.get(), i);
    // Column and row of an option, counted from the places of the others.
    QSet<int> lefts, tops;
    for (int i = 0; i < 5; ++i) {
        lefts.insert(items[i]->x());
        tops.insert(items[i]->y());
    }
    QCOMPARE(lefts.size(), 3);
    QCOMPARE(tops.size(), 2);
    int shownColumn = 0, shownRow = 0;
    for (const int x : lefts)
        shownColumn += x < items[option]->x();
    for (const int y : tops)
        shownRow += y < items[option]->y();
    QCOMPARE(shownColumn, column);
    QCOMPARE(shownRow, row);
    const auto* box = Control<QGroupBox>(h->simul.get(), "rgResposta");
    QVERIFY(box->rect().contains(items[option]->geometry()));

    // A click at that place answers with that option.
    const QPoint place = box->mapTo(h->simul.get(), items[option]->geometry().topLeft() + QPoint(7, 9));
    QTest::mouseClick(h->simul->windowHandle(), Qt::LeftButton, {}, place);
    QCOMPARE(h->simul->shownOption(), option);
}

void TestTformSimul::answeringStoresAndMarksOnce_data()
{
    QTest::addColumn<int>("way"); // 0 click, 1 letter key, 2 digit key
    QTest::newRow("click") << 0;
    QTest::newRow("letter keys") << 1;
    QTest::newRow("digit keys") << 2;
}

void TestTformSimul::answeringStoresAndMarksOnce()
{
    QFETCH(int, way);
    auto h = Standard();
    Start(*h, QStringLiteral("Alfa"));
    ExamHarness::pick(Control<QComboBox>(h->simul.get(), "cbQuestao"), 2);
    auto answer = [&](int option) {
        if (way == 0)
            ClickOption(*h, option);
        else if (way == 1)
            QTest::keyClick(h->simul.get(), Qt::Key(Qt::Key_A + option));
        else
            QTest::keyClick(h->simul.get(), Qt::Key(Qt::Key_1 + option));
    };
    answer(2); // C
    QCOMPARE(h->answers(), (QStringList{"#", "#", "3", "#", "#"}));
    QCOMPARE(Control<QComboBox>(h->simul.get(), "cbQuestao")->itemText(2), QStringLiteral("Questão 3   OK"));
    QCOMPARE(Control<QComboBox>(h->simul.get(), "cbQuestao")->currentIndex(), 2);
    QCOMPARE(h->simul->shownOption(), 2);
    answer(4); // E
    QCOMPARE(h->answers(), (QStringList{"#", "#", "5", "#", "#"}));
    QCOMPARE(Control<QComboBox>(h->simul.get(), "cbQuestao")->itemText(2), QStringLiteral("Questão 3   OK"));
    QCOMPARE(Control<QComboBox>(h->simul.get(), "cbQuestao")->currentIndex(), 2);
    QCOMPARE(h->simul->shownOption(), 4);
    QCOMPARE(Control<QComboBox>(h->simul.get(), "cbQuestao")->itemText(1), QStringLiteral("Questão 2"));
}

void TestTformSimul::returningShowsStoredOption()
{
    auto h = Standard();
    Start(*h, QStringLiteral("Alfa"));
    ClickOption(*h, 1); // question 1: B
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btProxima"), Qt::LeftButton);
    QCOMPARE(h->simul->shownOption(), -1);
    ClickOption(*h, 3); // question 2: D
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btProxima"), Qt::LeftButton);
    QCOMPARE(h->simul->shownOption(), -1);
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btAnterior"), Qt::LeftButton);
    QCOMPARE(h->simul->shownOption(), 3);
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btAnterior"), Qt::LeftButton);
    QCOMPARE(h->simul->shownOption(), 1);
    ExamHarness::pick(Control<QComboBox>(h->simul.get(), "cbQuestao"), 4);
    QCOMPARE(h->simul->shownOption(), -1);
    ExamHarness::pick(Control<QComboBox>(h->simul.get(), "cbQuestao"), 1);
    QCOMPARE(h->simul->shownOption(), 3);
    // Showing stored options never changed what was stored.
    QCOMPARE(h->answers(), (QStringList{"2", "4", "#", "#", "#"}));
}

void TestTformSimul::keysDoNothingWhileIdle()
{
    auto h = Standard();
    QTest::keyClick(h->simul.get(), Qt::Key_A);
    QTest::keyClick(h->simul.get(), Qt::Key_Right, Qt::ControlModifier);
    QTest::keyClick(h->simul.get(), Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(h->simul->shownOption(), -1);
    QVERIFY(h->simul->answers().answers().empty());
    // The start button does nothing before a paper is picked.
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btInicio"), Qt::LeftButton);
    QVERIFY(h->waitSeen.isEmpty());
    QVERIFY(h->messages.texts.isEmpty());
}

void TestTformSimul::clockCountsInjectedTicks()
{
    auto h = Standard();
    QCOMPARE(h->clock->interval(), 0);
    Start(*h, QStringLiteral("Zeta"));
    QCOMPARE(h->clock->interval(), 1000);
    QCOMPARE(Control<QLabel>(h->simul.get(), "lTempo")->text(), QStringLiteral("00 s"));
    QCOMPARE(h->simul->elapsedSeconds(), 0LL);
    h->clock->tick();
    QCOMPARE(Control<QLabel>(h->simul.get(), "lTempo")->text(), QStringLiteral("Duração: 1 s"));
    QCOMPARE(h->simul->elapsedSeconds(), 1LL);
    for (int i = 0; i < 9; ++i)
        h->clock->tick();
    QCOMPARE(Control<QLabel>(h->simul.get(), "lTempo")->text(), QStringLiteral("Duração: 10 s"));
    // Finishing stops the clock: later periods count nothing.
    QTest::mouseClick(Control<TFocusImage>(h->simul.get(), "btFim"), Qt::LeftButton);
    QCOMPARE(h->clock->interval(), 0);
    h->clock->tick();
    QCOMPARE(h->simul->elapsedSeconds(), 10LL);
}

void TestTformSimul::startingAgainRestartsTheCount()
{
    auto h = Standard();
    Start(*h, QStringLiteral("Zeta"));
    ClickOption(*h, 0);
    h->clock->tick();
    h->clock->tick();
    Start(*h, QStringLiteral("Alfa"));
    QCOMPARE(h->simul->elapsedSeconds(), 0LL);
    QCOMPARE(Control<QLabel>(h->simul.get(), "lTempo")->text(), QStringLiteral("Duração: 2 s"));
    QCOMPARE(h->answers(), Numbered(5, QStringLiteral("#")));
    QCOMPARE(Control<QComboBox>(h->simul.get(), "cbQuestao")->count(), 5);
    QCOMPARE(h->simul->shownOption(), -1);
    h->clock->tick();
    QCOMPARE(Control<QLabel>(h->simul.get(), "lTempo")->text(), QStringLiteral("Duração: 1 s"));
}

void TestTformSimul::missingKeyLeavesTheExamAsItWas_data()
{
    QTest::addColumn<int>("kind"); // 0 missing, 1 empty file, 2 folder, 3 NUL first, 4 on: a Hazard
    QTest::newRow("no key file") << 0;
    QTest::newRow("key without lines") << 1;
    QTest::newRow("folder named like the key") << 2;
    QTest::newRow("key starting with NUL") << 3;
    for (const Hazard hazard : AllHazards)
        QTest::addRow("key: %s", HazardName(hazard)) << 4 + int(hazard);
}

void TestTformSimul::missingKeyLeavesTheExamAsItWas()
{
    QFETCH(int, kind);
    auto h = Standard();
    h->folder.writePdf(QStringLiteral("b.pdf"), QStringLiteral("Beta"));
    h->folder.write(QStringLiteral("lista.txt"), "Zeta#z.pdf\r\nAlfa#a.pdf\r\nBeta#b.pdf\r\n");
    if (kind == 1)
        h->folder.write(QStringLiteral("b.txt"), QByteArray());
    else if (kind == 2)
        QDir().mkpath(h->folder.mockExamFolder() + QStringLiteral("b.txt"));
    else if (kind == 3)
        h->folder.write(QStringLiteral("b.txt"),
                        QByteArray("\0"
                                   "1\r\n2\r\n",
                                   7));
    else if (kind >= 4)
        QVERIFY(MakeHazard(Hazard(kind - 4), h->folder.mockExamFolder() + QStringLiteral("b.txt"),
                           qint64(zelvora::text::DataFile::KeyCap), "1\r\n2\r\n"));
    const PipeGuard guard(h->folder.mockExamFolder() + QStringLiteral("b.txt"));
    h->simul->FormCreate(); // reads the longer list
    h->messages.clear();

    Start(*h, QStringLiteral("Alfa"));
    ExamHarness::pick(Control<QComboBox>(h->simul.get(), "cbQuestao"), 1);
    ClickOption(*h, 2);
    h->clock->tick();
    h->clock->tick();
    const auto before = h->folder.snapshot();

    Start(*h, QStringLiteral("Beta"));
    QVERIFY2(!guard.fired(), "the exam window waited on a pipe");
    QCOMPARE(h->messages.texts, QStringList{MsgGabarito});
    QCOMPARE(h->messages.captions, QStringList{QStringLiteral("Zelvora")});
    QCOMPARE(h->messages.waitVisible, QList<bool>{false});
    QVERIFY(!h->aguarde->isVisible());
    // Still the paper, the questions, the answers and the clock of Alfa.
    QCOMPARE(Control<TPdfViewer>(h->simul.get(), "PDF")->fileName(),
             h->folder.mockExamFolder() + QStringLiteral("a.pdf"));
    QVERIFY(Control<TPdfViewer>(h->simul.get(), "PDF")->isVisible());
    QCOMPARE(Control<QComboBox>(h->simul.get(), "cbQuestao")->count(), 5);
    QCOMPARE(Control<QComboBox>(h->simul.get(), "cbQuestao")->itemText(1), QStringLiteral("Questão 2   OK"));
    QCOMPARE(Control<QComboBox>(h->simul.get(), "cbQuestao")->currentIndex(), 1);
    QCOMPARE(h->simul->shownOption(), 2);
    QCOMPARE(h->answers(), (QStringList{"#", "3", "#", "#", "#"}));
    QCOMPARE(int(h->simul->answerKey().size()), 5);
    QCOMPARE(h->clock->interval(), 1000);
    QCOMPARE(h->simul->elapsedSeconds(), 2LL);
    h->clock->tick();
    QCOMPARE(Control<QLabel>(h->simul.get(), "lTempo")->text(), QStringLiteral("Duração: 3 s"));
    QVERIFY(h->folder.snapshot() == before);
}

void TestTformSimul::creationFailures_data()
{
    QTest::addColumn<int>("kind"); // 0 no simu folder, 1 no list, 2 list is a folder, 3 on: a Hazard
    QTest::newRow("no mock-exam folder") << 0;
    QTest::newRow("no list") << 1;
    QTest::newRow("list is a folder") << 2;
    for (const Hazard hazard : {Hazard::Fifo, Hazard::DevZeroLink, Hazard::Oversized})
        QTest::addRow("list: %s", HazardName(hazard)) << 3 + int(hazard);
}

void TestTformSimul::creationFailures()
{
    QFETCH(int, kind);
    ExamHarness h;
    if (kind == 0)
        QVERIFY(QDir(h.folder.mockExamFolder()).removeRecursively());
    else if (kind == 2)
        QVERIFY(QDir().mkpath(h.folder.mockExamFolder() + QStringLiteral("lista.txt")));
    else if (kind >= 3)
        QVERIFY(MakeHazard(Hazard(kind - 3), h.folder.mockExamFolder() + QStringLiteral("lista.txt"),
                           qint64(zelvora::text::DataFile::ListCap), "P#p.pdf\r\n"));
    h.folder.writeSkin(QStringLiteral("simul"), QSize(50, 50), Qt::blue, Qt::red);
    const PipeGuard guard(h.folder.mockExamFolder() + QStringLiteral("lista.txt"));
    h.create();
    QVERIFY2(!guard.fired(), "the exam window waited on a pipe");
    QCOMPARE(h.messages.texts, QStringList{MsgLista});
    QCOMPARE(h.messages.captions, QStringList{QStringLiteral("Zelvora")});
    QCOMPARE(Control<QComboBox>(h.simul.get(), "comboProva")->count(), 0);
    // The skins loaded before the failure stay.
    QVERIFY(!Control<ImageView>(h.simul.get(), "imLogo")->picture().isNull());
    h.simul->show();
    QVERIFY(!Control<TFocusImage>(h.simul.get(), "btInicio")->isEnabled());
    QTest::mouseClick(Control<TFocusImage>(h.simul.get(), "btInicio"), Qt::LeftButton);
    QCOMPARE(h.messages.texts.size(), 1);
}

void TestTformSimul::startFailures_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QByteArray>("paper"); // written as p.pdf; empty = not written
    QTest::addColumn<QString>("message");

    const QByteArray pdf = ExamFolder::PdfBytes(QStringLiteral("P"), 2);
    QTest::newRow("paper missing") << QByteArray("P#p.pdf") << QByteArray() << MsgProva;
    QTest::newRow("not a PDF") << QByteArray("P#p.pdf") << QByteArray("just some text\r\n") << MsgProva;
    QTest::newRow("PDF header then junk")
        << QByteArray("P#p.pdf") << QByteArray("%PDF-1.4\n") + QByteArray(3000, '\x9c') << MsgProva;
    QTest::newRow("PDF cut short") << QByteArray("P#p.pdf") << pdf.left(120) << MsgProva;
    QTest::newRow("empty path") << QByteArray("P#") << pdf << MsgProva;
    QTest::newRow("path names a folder") << QByteArray("P#sub") << pdf << MsgProva;
    QTest::newRow("binary junk list") << QByteArray("\x01\xff\xfe#\x80\x81\x8d\x8f\x90\x9d\r\n\xe9\xe7#\x7f\x02\x03")
                                      << pdf << MsgProva;
}

void TestTformSimul::startFailures()
{
    QFETCH(QByteArray, list);
    QFETCH(QByteArray, paper);
    QFETCH(QString, message);
    ExamHarness h;
    QVERIFY(h.folder.write(QStringLiteral("lista.txt"), list));
    QVERIFY(QDir().mkpath(h.folder.mockExamFolder() + QStringLiteral("sub")));
    if (!paper.isEmpty())
        QVERIFY(h.folder.write(QStringLiteral("p.pdf"), paper));
    h.folder.writeKey(QStringLiteral("p.txt"), {"1", "2"});
    h.folder.writeKey(QStringLiteral("sub.txt"), {"1", "2"});
    h.folder.writeKey(QStringLiteral(".txt"), {"1", "2"});
    h.create();
    h.simul->show();
    QVERIFY(h.messages.texts.isEmpty());
    QVERIFY(Control<QComboBox>(h.simul.get(), "comboProva")->count() >= 1);
    const auto before = h.folder.snapshot();
    for (int i = 0; i < Control<QComboBox>(h.simul.get(), "comboProva")->count(); ++i) {
        h.messages.clear();
        ExamHarness::pick(Control<QComboBox>(h.simul.get(), "comboProva"), i);
        QTest::mouseClick(Control<TFocusImage>(h.simul.get(), "btInicio"), Qt::LeftButton);
        QCOMPARE(h.messages.texts, QStringList{message});
        QCOMPARE(h.messages.waitVisible, QList<bool>{false});
    }
    QVERIFY(!h.aguarde->isVisible());
    QVERIFY(Control<QScrollArea>(h.simul.get(), "pResp")->isHidden());
    QVERIFY(Control<TPdfViewer>(h.simul.get(), "PDF")->isHidden());
    QCOMPARE(h.clock->interval(), 0);
    QVERIFY(h.folder.snapshot() == before);
}

void TestTformSimul::damagedPaperKeepsTheShownOne()
{
    auto h = Standard();
    h->folder.write(QStringLiteral("lista.txt"), "Zeta#z.pdf\r\nAlfa#a.pdf\r\nRuim#r.pdf\r\n");
    h->folder.write(QStringLiteral("r.pdf"), QByteArray("%PDF-1.7\n%junk\n"));
    h->folder.writeKey(QStringLiteral("r.txt"), {"1"});
    h->simul->FormCreate();
    h->messages.clear();
    Start(*h, QStringLiteral("Zeta"));
    ClickOption(*h, 0);
    Start(*h, QStringLiteral("Ruim"));
    QCOMPARE(h->messages.texts, QStringList{MsgProva});
    QCOMPARE(Control<TPdfViewer>(h->simul.get(), "PDF")->fileName(),
             h->folder.mockExamFolder() + QStringLiteral("z.pdf"));
    QCOMPARE(Control<TPdfViewer>(h->simul.get(), "PDF")->pageCount(), 2);
    QCOMPARE(h->answers(), (QStringList{"1", "#", "#"}));
    QCOMPARE(Control<QComboBox>(h->simul.get(), "cbQuestao")->count(), 3);
}

void TestTformSimul::oddKeys_data()
{
    QTest::addColumn<QStringList>("key");
    QTest::addColumn<QString>("hits");
    QTest::newRow("10,000 lines") << Numbered(10000, QStringLiteral("1")) << "1 de 10000";
    QTest::newRow("letters") << QStringList{"A", "B", "C"} << "0 de 3";
    QTest::newRow("trailing space") << QStringList{"1 ", "1"} << "0 de 2";
    QTest::newRow("# line matches the unanswered") << QStringList{"1", "#"} << "2 de 2";
}

void TestTformSimul::oddKeys()
{
    QFETCH(QStringList, key);
    QFETCH(QString, hits);
    ExamHarness h;
    h.folder.write(QStringLiteral("lista.txt"), "P#p.pdf\r\n");
    h.folder.writePdf(QStringLiteral("p.pdf"), QStringLiteral("P"));
    h.folder.writeKey(QStringLiteral("p.txt"), key);
    h.create();
    h.simul->show();
    Start(h, QStringLiteral("P"));
    QVERIFY(h.messages.texts.isEmpty());
    QCOMPARE(Control<QComboBox>(h.simul.get(), "cbQuestao")->count(), key.size());
    QCOMPARE(Control<QComboBox>(h.simul.get(), "cbQuestao")->itemText(key.size() - 1),
             QStringLiteral("Questão %1").arg(key.size()));
    ClickOption(h, 0); // A on question 1
    ExamHarness::pick(Control<QComboBox>(h.simul.get(), "cbQuestao"), int(key.size()) - 1);
    QTest::mouseClick(Control<TFocusImage>(h.simul.get(), "btProxima"), Qt::LeftButton);
    QCOMPARE(h.simul->answers().current(), int(key.size()) - 1);
    QTest::mouseClick(Control<TFocusImage>(h.simul.get(), "btFim"), Qt::LeftButton);
    QVERIFY(h.resultado->isVisible());
    QCOMPARE(Control<QLabel>(h.resultado.get(), "lAcerto")->text(), hits);
}

void TestTformSimul::freshWindowFocusesThePaperSelector()
{
    auto h = Standard();
    auto* selector = Control<QComboBox>(h->simul.get(), "comboProva");
    QCOMPARE(QApplication::focusWidget(), selector);
    // Enter on the selector leaves the window open.
    QTest::keyClick(selector, Qt::Key_Return);
    QVERIFY(h->simul->isVisible());
    // The "X" is reached by Tab like any other control.
    auto* x = Control<QWidget>(h->simul.get(), "Label2");
    bool reached = false;
    for (int i = 0; i < 12 && !reached; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached = QApplication::focusWidget() == x;
    }
    QVERIFY(reached);
    // Shown again after closing, the window starts on the selector again.
    h->simul->close();
    h->simul->show();
    QVERIFY(QTest::qWaitForWindowActive(h->simul.get()));
    QCOMPARE(QApplication::focusWidget(), selector);
}

void TestTformSimul::showingAgainReturnsToIdle()
{
    auto h = Standard();
    Start(*h, QStringLiteral("Alfa"));
    ClickOption(*h, 3);
    h->clock->tick();
    h->simul->close();
    QVERIFY(!h->simul->isVisible());
    QCOMPARE(h->clock->interval(), 0);
    h->simul->show();
    QVERIFY(!Control<TFocusImage>(h->simul.get(), "btInicio")->isEnabled());
    QCOMPARE(Control<QComboBox>(h->simul.get(), "comboProva")->currentIndex(), -1);
    QVERIFY(Control<QScrollArea>(h->simul.get(), "pResp")->isHidden());
    QVERIFY(Control<TPdfViewer>(h->simul.get(), "PDF")->isHidden());
    QCOMPARE(h->simul->shownOption(), -1);
    QCOMPARE(Control<QFrame>(h->simul.get(), "pPDF")->width(), h->simul->width());
    // The clock text, the key and the answers stay until the next start.
    QCOMPARE(Control<QLabel>(h->simul.get(), "lTempo")->text(), QStringLiteral("Duração: 1 s"));
    QCOMPARE(h->answers(), (QStringList{"4", "#", "#", "#", "#"}));
    // Answer keys are inactive again.
    QTest::keyClick(h->simul.get(), Qt::Key_B);
    QCOMPARE(h->answers(), (QStringList{"4", "#", "#", "#", "#"}));
}

void TestTformSimul::closeWays_data()
{
    // 0 "X" label, 1 btSair, 2 the window's close, 3 Escape, 4 Enter on
    // btSair, 5 Space on the "X", 6 Escape before any paper was started
    QTest::addColumn<int>("way");
    QTest::newRow("X label") << 0;
    QTest::newRow("btSair") << 1;
    QTest::newRow("window close") << 2;
    QTest::newRow("Escape") << 3;
    QTest::newRow("Enter on btSair") << 4;
    QTest::newRow("Space on the X") << 5;
    QTest::newRow("Escape while idle") << 6;
}

void TestTformSimul::closeWays()
{
    QFETCH(int, way);
    auto h = Standard();
    QVERIFY(QTest::qWaitForWindowExposed(h->simul.get()));
    if (way != 6)
        Start(*h, QStringLiteral("Zeta"));
    QWindow* window = h->simul->windowHandle();
    auto keyOn = [&](const char* name, Qt::Key key) {
        auto* control = Control<QWidget>(h->simul.get(), name);
        control->setFocus(Qt::TabFocusReason);
        QTest::keyClick(control, key);
    };
    if (way == 3 || way == 6) {
        h->simul->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h->simul.get()));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : h->simul.get(), Qt::Key_Escape);
    } else if (way == 4) {
        keyOn("btSair", Qt::Key_Return);
    } else if (way == 5) {
        keyOn("Label2", Qt::Key_Space);
    } else if (way == 0) {
        QCOMPARE(Control<QLabel>(h->simul.get(), "Label2")->text(), QStringLiteral("X"));
        QCOMPARE(Control<QLabel>(h->simul.get(), "Label2")->toolTip(), QStringLiteral("Sair"));
        QTest::mouseClick(window, Qt::LeftButton, {},
                          CentreIn(Control<QLabel>(h->simul.get(), "Label2"), h->simul.get()));
    } else if (way == 1) {
        QTest::mouseClick(window, Qt::LeftButton, {},
                          CentreIn(Control<TFocusImage>(h->simul.get(), "btSair"), h->simul.get()));
    } else {
        h->simul->close();
    }
    QTRY_VERIFY(!h->simul->isVisible());
    QCOMPARE(h->clock->interval(), 0);
    QVERIFY(!h->resultado->isVisible());
}

void TestTformSimul::resizeKeepsEdges()
{
    auto h = Standard();
    Start(*h, QStringLiteral("Zeta"));
    h->simul->resize(1000, 700);
    QCOMPARE(Control<QFrame>(h->simul.get(), "pTop")->width(), 1000);
    QCOMPARE(Control<QLabel>(h->simul.get(), "Label2")->x(),
             1000 - Control<QLabel>(h->simul.get(), "Label2")->width() - 5);
    QCOMPARE(Control<QScrollArea>(h->simul.get(), "pResp")->height(), 700 - 117);
    QTRY_COMPARE(Control<QLabel>(h->simul.get(), "lTempo")->y(),
                 Control<QScrollArea>(h->simul.get(), "pResp")->height()
                     - Control<QLabel>(h->simul.get(), "lTempo")->height() - 5);
    QCOMPARE(Control<QLabel>(h->simul.get(), "lTempo")->height(), 29);
    QCOMPARE(Control<QLabel>(h->simul.get(), "lTempo")->width(), 194);
    QCOMPARE(Control<QScrollArea>(h->simul.get(), "pResp")->x(), 1000 - 198);
}

void TestTformSimul::pressEffect()
{
    ExamHarness h;
    h.folder.write(QStringLiteral("lista.txt"), "P#p.pdf\r\n");
    h.folder.writePdf(QStringLiteral("p.pdf"), QStringLiteral("P"));
    h.folder.writeKey(QStringLiteral("p.txt"), {"1", "2"});
    h.folder.writeSkin(QStringLiteral("simul"), QSize(921, 115), QColor(10, 20, 30), QColor(200, 0, 0));
    h.folder.writeSkin(QStringLiteral("botoes"), QSize(198, 200), QColor(0, 0, 90), QColor(0, 160, 0));
    h.create();
    h.simul->show();
    QVERIFY(QTest::qWaitForWindowExposed(h.simul.get()));
    QWindow* window = h.simul->windowHandle();
    auto logoAt = [&](QWidget* zone) {
        return QColor(Control<ImageView>(h.simul.get(), "imLogo")->picture().pixel(zone->geometry().center()));
    };
    auto rightAt = [&](QWidget* zone) {
        return QColor(Control<ImageView>(h.simul.get(), "imRight")->picture().pixel(zone->geometry().center()));
    };

    // The disabled start button shows no pressed look.
    const QPoint inicio = CentreIn(Control<TFocusImage>(h.simul.get(), "btInicio"), h.simul.get());
    QTest::mousePress(window, Qt::LeftButton, {}, inicio);
    QCOMPARE(logoAt(Control<TFocusImage>(h.simul.get(), "btInicio")), QColor(10, 20, 30));
    QTest::mouseRelease(window, Qt::LeftButton, {}, inicio);

    ExamHarness::pick(Control<QComboBox>(h.simul.get(), "comboProva"), 0);
    QTest::mousePress(window, Qt::LeftButton, {}, inicio);
    QCOMPARE(logoAt(Control<TFocusImage>(h.simul.get(), "btInicio")), QColor(200, 0, 0));
    QTest::mouseRelease(window, Qt::LeftButton, {}, inicio);
    QCOMPARE(logoAt(Control<TFocusImage>(h.simul.get(), "btInicio")), QColor(10, 20, 30));
    QVERIFY(Control<QScrollArea>(h.simul.get(), "pResp")->isVisible());

    // Press on "next", drag off and release elsewhere: normal look, no move.
    const QPoint proxima = CentreIn(Control<TFocusImage>(h.simul.get(), "btProxima"), h.simul.get());
    QTest::mousePress(window, Qt::LeftButton, {}, proxima);
    QCOMPARE(rightAt(Control<TFocusImage>(h.simul.get(), "btProxima")), QColor(0, 160, 0));
    QCOMPARE(rightAt(Control<TFocusImage>(h.simul.get(), "btAnterior")), QColor(0, 0, 90));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(20, 300));
    QCOMPARE(rightAt(Control<TFocusImage>(h.simul.get(), "btProxima")), QColor(0, 0, 90));
    QCOMPARE(h.simul->answers().current(), 0);
    QTest::mouseClick(window, Qt::LeftButton, {}, proxima);
    QCOMPARE(h.simul->answers().current(), 1);
    QCOMPARE(rightAt(Control<TFocusImage>(h.simul.get(), "btProxima")), QColor(0, 0, 90));
}

void TestTformSimul::zoom()
{
    auto h = Standard();
    Start(*h, QStringLiteral("Zeta"));
    TPdfViewer* pdf = Control<TPdfViewer>(h->simul.get(), "PDF");
    QVERIFY(pdf->isFittedToWidth());
    QTRY_VERIFY(pdf->zoomFactor() > 0);
    const qreal fitted = pdf->zoomFactor();

    QTest::keyClick(h->simul.get(), Qt::Key_Plus, Qt::ControlModifier);
    QVERIFY(!pdf->isFittedToWidth());
    QVERIFY(pdf->zoomFactor() > fitted);
    const qreal larger = pdf->zoomFactor();
    QTest::keyClick(h->simul.get(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(h->simul.get(), Qt::Key_Minus, Qt::ControlModifier);
    QVERIFY(pdf->zoomFactor() < larger);
    QVERIFY(pdf->zoomFactor() < fitted);

    QTest::keyClick(h->simul.get(), Qt::Key_0, Qt::ControlModifier);
    QVERIFY(pdf->isFittedToWidth());
    QCOMPARE(pdf->zoomFactor(), fitted);

    // Ctrl+wheel zooms; a plain wheel only scrolls.
    QWidget* viewport = pdf->view()->viewport();
    const QPointF at(viewport->width() / 2.0, viewport->height() / 2.0);
    QWheelEvent plain(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &plain);
    QVERIFY(pdf->isFittedToWidth());
    QWheelEvent up(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &up);
    QVERIFY(!pdf->isFittedToWidth());
    QVERIFY(pdf->zoomFactor() > fitted);
    // Answer keys still answer after zooming.
    QTest::keyClick(h->simul.get(), Qt::Key_D);
    QCOMPARE(h->answers(), (QStringList{"4", "#", "#"}));
}

QTEST_MAIN(TestTformSimul)
#include "tst_TformSimul.moc"
