#pragma once
// What the screenshot tools share: the context the program gives its windows
// over the sample data folder (build/bin/dados), the exam windows built as
// the program builds them, a paper started through the real controls, and
// letting events run for a while on a real display.
#include "app/AppContext.h"
#include "app/FindControl.h"
#include "app/MessageBoxes.h"
#include "app/TFocusImage.h"
#include "app/TformAguarde.h"
#include "mockexam/TformResultado.h"
#include "mockexam/TformSimul.h"
#include "text/PtBrCollation.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include <cstdio>

inline void RunFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

struct SampleContext {
    zelvora::text::PtBrCollation collation;
    zelvora::app::QtMessageBoxes messages;
    zelvora::app::AppContext ctx;

    SampleContext()
    {
        ctx.collation = &collation;
        ctx.messages = &messages;
        ctx.processEvents = [] { QCoreApplication::processEvents(); };
        ctx.dataFolder = QCoreApplication::applicationDirPath() + QStringLiteral("/dados/");
        ctx.mockExamFolder = ctx.dataFolder + QStringLiteral("simu/");
    }
};

// The exam windows over ctx, the exam window shown.
struct ExamWindows {
    zelvora::gui::TformAguarde aguarde;
    zelvora::gui::TformSimul simul;
    zelvora::gui::TformResultado resultado;

    explicit ExamWindows(zelvora::app::AppContext& ctx) : aguarde(ctx), simul(ctx), resultado(ctx)
    {
        aguarde.FormCreate();
        ctx.windows.aguarde = &aguarde;
        resultado.FormCreate();
        simul.setResultsWindow(&resultado);
        simul.FormCreate();
        simul.show();
        if (!QTest::qWaitForWindowExposed(&simul))
            std::fprintf(stderr, "the exam window was not shown\n");
    }
    // Chooses the paper whose name starts with paper and starts it; false
    // when no paper is so named.
    bool start(const QString& paper)
    {
        auto* combo = Control<QComboBox>(&simul, "comboProva");
        const int item = combo->findText(paper, Qt::MatchStartsWith);
        if (item < 0)
            return false;
        combo->setCurrentIndex(item);
        emit combo->activated(item);
        QTest::mouseClick(Control<zelvora::gui::TFocusImage>(&simul, "btInicio"), Qt::LeftButton);
        return true;
    }
};
