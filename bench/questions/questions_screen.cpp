// Takes the documentation's screenshot of a jump on a real display (run
// under Xvfb): a 60-question sample paper started, question 37 chosen in the
// list, the paper scrolled to where it starts, the answer marked as a guess.
// Usage: questions_screen <jump.png>   (uses build/bin/dados)
#include "support/SampleExamWindows.h"

#include "app/AppContext.h"
#include "app/FindControl.h"
#include "app/MessageBoxes.h"
#include "app/TFocusImage.h"
#include "app/TformAguarde.h"
#include "mockexam/TformResultado.h"
#include "mockexam/TformSimul.h"
#include "text/PtBrCollation.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

#include <cstdio>

using namespace zelvora;
using namespace zelvora::gui;

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    if (argc < 2) {
        std::fprintf(stderr, "usage: questions_screen <jump.png>\n");
        return 2;
    }
    SampleContext sample;
    auto& ctx = sample.ctx;
    ExamWindows windows(ctx);
    auto& simul = windows.simul;

    auto* papers = Control<QComboBox>(&simul, "comboProva");
    const int item = papers->findText(QStringLiteral("Auditor Fiscal"), Qt::MatchStartsWith);
    if (item < 0)
        return 1;
    papers->setCurrentIndex(item);
    emit papers->activated(item);
    QTest::mouseClick(Control<TFocusImage>(&simul, "btInicio"), Qt::LeftButton);
    RunFor(3000); // the map is found meanwhile

    auto* questions = Control<QComboBox>(&simul, "cbQuestao");
    questions->setCurrentIndex(36);
    emit questions->activated(36);
    Control<QGroupBox>(&simul, "rgResposta")->findChildren<QRadioButton*>().at(3)->click();
    Control<QCheckBox>(&simul, "ckChute")->click();
    RunFor(1500);
    if (!QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(argv[1])))
        return 1;
    return 0;
}
