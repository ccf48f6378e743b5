#pragma once
// The mock-exam windows built the way the program builds them, over a
// throw-away data folder, with recorded messages and a clock the test ticks.
#include "ExamFolder.h"
#include "FakeExamClock.h"
#include "RecordingMessages.h"

#include "app/AppContext.h"
#include "app/FindControl.h"
#include "app/TformAguarde.h"
#include "app/WindowWiring.h"
#include "attempts/TformHistorico.h"
#include "mockexam/TformResultado.h"
#include "mockexam/TformSimul.h"
#include "text/PtBrCollation.h"

#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QStandardPaths>
#include <QStringList>

#include <memory>

// Option 0 (A) to 4 (E) of the exam window's answer box, its radio buttons
// in the order they were made.
inline QRadioButton* AnswerOption(const QObject* exam, int option)
{
    return Control<QGroupBox>(exam, "rgResposta")->findChildren<QRadioButton*>().at(option);
}

struct ExamHarness {
    ExamFolder folder;
    RecordingMessages messages;
    zelvora::text::PtBrCollation collation;
    zelvora::app::AppContext ctx;
    std::unique_ptr<zelvora::gui::TformAguarde> aguarde;
    std::unique_ptr<zelvora::gui::TformResultado> resultado;
    std::unique_ptr<zelvora::gui::TformSimul> simul;
    // Connects the windows as the program does (results, history, the
    // user's own papers).
    zelvora::app::WindowWiring wiring;
    FakeExamClock* clock = nullptr;
    // Whether the wait window was on screen each time the exam window let
    // pending events run.
    QList<bool> waitSeen;

    ExamHarness()
    {
        // Nothing a window does may reach the real user's folders.
        QStandardPaths::setTestModeEnabled(true);
        ctx.dataFolder = folder.dataFolder();
        ctx.mockExamFolder = folder.mockExamFolder();
        ctx.messages = &messages;
        ctx.collation = &collation;
        ctx.processEvents = [this] { waitSeen << (aguarde && aguarde->isVisible()); };
    }

    ~ExamHarness()
    {
        // The exam window goes first: the results window refers to it.
        ctx.windows = {};
        delete wiring.historico;
        wiring = {};
        simul.reset();
        resultado.reset();
        aguarde.reset();
    }

    void create()
    {
        aguarde = std::make_unique<zelvora::gui::TformAguarde>(ctx);
        aguarde->FormCreate();
        ctx.windows.aguarde = aguarde.get();
        messages.waitWindow = aguarde.get();
        auto c = std::make_unique<FakeExamClock>();
        clock = c.get();
        simul = std::make_unique<zelvora::gui::TformSimul>(ctx, nullptr, std::move(c));
        resultado = std::make_unique<zelvora::gui::TformResultado>(ctx);
        resultado->FormCreate();
        simul->FormCreate();
        wiring.simul = simul.get();
        wiring.resultado = resultado.get();
        wiring.wire(ctx);
    }

    // A pick in a list as the user makes it.
    static void pick(QComboBox* combo, int index)
    {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    static QStringList items(const QComboBox* combo)
    {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    }

    QStringList answers() const
    {
        QStringList out;
        for (const auto& a : simul->answers().answers())
            out << QString::fromStdString(a);
        return out;
    }
};
