// Takes the screenshots of the documentation on a real display (run under
// Xvfb): a running exam with its paper, answer column and clock, the results
// window after finishing, and optionally the review of that exam and a
// right/wrong paper being taken.
// Usage: mockexam_screens <exam.png> <results.png> [<review.png> <rightwrong.png>]
//        (uses build/bin/dados)
#include "support/SampleExamWindows.h"

#include "app/AppContext.h"
#include "app/FindControl.h"
#include "app/MessageBoxes.h"
#include "app/TFocusImage.h"
#include "app/TformAguarde.h"
#include "mockexam/TformResultado.h"
#include "mockexam/TformSimul.h"
#include "mockexam/TPdfViewer.h"
#include "text/PtBrCollation.h"
#include "text/TextList.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cstdio>

using namespace zelvora;
using namespace zelvora::gui;

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    if (argc < 3) {
        std::fprintf(stderr, "usage: mockexam_screens <exam.png> <results.png>\n");
        return 2;
    }
    SampleContext sample;
    auto& ctx = sample.ctx;
    ExamWindows windows(ctx);
    auto& simul = windows.simul;
    auto& resultado = windows.resultado;

    const int item =
        Control<QComboBox>(&simul, "comboProva")->findText(QStringLiteral("Auditor Fiscal"), Qt::MatchStartsWith);
    if (item < 0)
        return 1;
    Control<QComboBox>(&simul, "comboProva")->setCurrentIndex(item);
    emit Control<QComboBox>(&simul, "comboProva")->activated(item);
    QTest::mouseClick(Control<TFocusImage>(&simul, "btInicio"), Qt::LeftButton);
    RunFor(500);

    // Answer the first questions, most of them right.
    const auto key = text::ReadTextList(
        QFile::encodeName(ctx.mockExamFolder + QStringLiteral("auditor-fiscal-2010.txt")).toStdString());
    for (int q = 0; q < 14 && key && q < int(key->size()); ++q) {
        int option = (*key)[size_t(q)][0] - '1';
        if (q % 4 == 3)
            option = (option + 1) % 5;
        Control<QGroupBox>(&simul, "rgResposta")->findChildren<QRadioButton*>().at(option)->click();
        QTest::mouseClick(Control<TFocusImage>(&simul, "btProxima"), Qt::LeftButton);
    }
    // Back to the last answered question, so its option shows.
    QTest::mouseClick(Control<TFocusImage>(&simul, "btAnterior"), Qt::LeftButton);
    RunFor(3300);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1])))
        return 1;

    // Finishing with blank questions asks first: "Sim".
    QTimer::singleShot(400, [] {
        if (QWidget* question = QApplication::activeModalWidget())
            QTest::keyClick(question, Qt::Key_Return);
    });
    QTest::mouseClick(Control<TFocusImage>(&simul, "btFim"), Qt::LeftButton);
    RunFor(600);
    const QRect frame = resultado.frameGeometry().adjusted(-12, -12, 12, 12);
    if (!screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
             .save(QString::fromLocal8Bit(argv[2])))
        return 1;
    if (argc < 5)
        return 0;

    // The review: the wrong answers, the first of them shown in the paper.
    QTest::mouseClick(Control<QPushButton>(&resultado, "btRevisar"), Qt::LeftButton);
    RunFor(400);
    auto* review = Control<QDialog>(&simul, "TformRevisao");
    auto* filter = Control<QComboBox>(review, "cbFiltro");
    filter->setCurrentIndex(1);
    auto* list = Control<QListWidget>(review, "lbQuestoes");
    if (list->count() > 0)
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    RunFor(800);
    if (!screen->grabWindow(0).save(QString::fromLocal8Bit(argv[3])))
        return 1;
    review->close();
    resultado.hide();

    // A right/wrong paper: a few items judged, one marked to come back to,
    // one option struck out.
    auto* papers = Control<QComboBox>(&simul, "comboProva");
    const int rw = papers->findText(QStringLiteral("(Certo/Errado)"), Qt::MatchContains);
    if (rw < 0)
        return 1;
    papers->setCurrentIndex(rw);
    emit papers->activated(rw);
    QTest::mouseClick(Control<TFocusImage>(&simul, "btInicio"), Qt::LeftButton);
    simul.activateWindow();
    if (!QTest::qWaitForWindowActive(&simul))
        std::fprintf(stderr, "the exam window is not active; keys may not reach it\n");
    RunFor(500);
    for (int q = 0; q < 6; ++q) {
        QTest::keyClick(&simul, q % 3 == 1 ? Qt::Key_E : Qt::Key_C);
        if (q == 4)
            QTest::keyClick(&simul, Qt::Key_R);
        if (q < 5)
            QTest::mouseClick(Control<TFocusImage>(&simul, "btProxima"), Qt::LeftButton);
    }
    QTest::mouseClick(Control<TFocusImage>(&simul, "btAnterior"), Qt::LeftButton);
    const auto options = Control<QGroupBox>(&simul, "rgResposta")->findChildren<QRadioButton*>();
    emit options.at(1)->customContextMenuRequested(QPoint(4, 4));
    RunFor(2300);
    if (!screen->grabWindow(0).save(QString::fromLocal8Bit(argv[4])))
        return 1;
    return 0;
}
