#include "app/WindowWiring.h"

#include "attempts/AttemptStore.h"
#include "attempts/TformHistorico.h"
#include "catalog/TformMain.h"
#include "mockexam/QuestionPaperPane.h"
#include "mockexam/TformResultado.h"
#include "mockexam/TformSimul.h"
#include "notebook/Notebook.h"
#include "notebook/TformCaderno.h"
#include "notebook/TformRefazer.h"
#include "usermaterial/CatalogAdditions.h"
#include "usermaterial/KeyReplacement.h"
#include "usermaterial/PaperAdditions.h"
#include "usermaterial/UpdateKeyDialog.h"

namespace zelvora::app {

void WindowWiring::wire(AppContext& ctx)
{
    AppContext* context = &ctx;
    // A paper's new answer key, asked for by the paper selector's menu or the
    // history: the attempts are scored again and the history shows it.
    ctx.updateKey = [this, context](QWidget* owner, const QString& pdf, const QString& dataFolder,
                                    const QString& name) {
        const QString store = context->attempts && context->attempts->isOpen() ? context->attempts->path() : QString();
        gui::UpdateKeyDialog dialog(usermaterial::KeyReplacement::For(pdf, dataFolder, context->userFolder), name,
                                    store, context->messages, context->title, owner);
        dialog.exec();
        if (dialog.replaced() && historico && historico->isVisible())
            historico->reload();
        return dialog.replaced();
    };
    if (main) {
        QObject::connect(main, &gui::TformMain::examRequested, main, [this] {
            if (!simul)
                return;
            simul->show();
            simul->raise();
            simul->activateWindow();
        });
        // Adding and removing one's own exams: Ctrl+N and the grid's context menu.
        gui::CatalogAdditions::Hooks hooks;
        hooks.catalog = [w = main]() -> const catalog::Catalog& { return w->catalog(); };
        hooks.selectedEntry = [w = main] { return w->selectedEntry(); };
        hooks.reload = [w = main](const std::optional<catalog::CatalogEntry>& shown) { w->reloadCatalog(shown); };
        new gui::CatalogAdditions(ctx, main, main->entryGrid(), std::move(hooks));
    }
    if (simul) {
        simul->setResultsWindow(resultado);
        QObject::connect(simul, &gui::TformSimul::historyRequested, simul, [this, context] { openHistory(*context); });
        // "Adicionar prova" right of btInicio, and removing one's own papers
        // from the selector's context menu.
        gui::PaperAdditions::Hooks hooks;
        hooks.selectedEntry = [w = simul] { return w->selectedEntry(); };
        hooks.reload = [w = simul](const std::optional<mockexam::MockExamEntry>& chosen) { w->reloadList(chosen); };
        auto* additions = new gui::PaperAdditions(ctx, simul, simul->topStrip(), simul->paperSelector(),
                                                  std::move(hooks));
        additions->updateEnabled();
        QObject::connect(simul, &gui::TformSimul::notebookRequested, simul,
                         [this, context] { openNotebook(*context); });
        QObject::connect(simul, &gui::TformSimul::reviewTodayRequested, simul, [this, context] {
            QList<qint64> ids;
            if (notebook)
                if (const auto due = notebook->dueItems())
                    for (const auto& it : due.value())
                        ids << it.id;
            startReview(*context, ids);
        });
    }
    if (resultado) {
        QObject::connect(resultado, &gui::TformResultado::historyRequested, resultado,
                         [this, context] { openHistory(*context); });
        QObject::connect(resultado, &gui::TformResultado::notebookRequested, resultado,
                         [this, context] { openNotebook(*context); });
    }
}

void WindowWiring::openHistory(AppContext& ctx)
{
    const bool made = historico == nullptr;
    gui::TformHistorico::Open(ctx, historico);
    if (made && historico) {
        AppContext* context = &ctx;
        QObject::connect(historico, &gui::TformHistorico::notebookRequested, historico,
                         [this, context] { openNotebook(*context); });
    }
}

void WindowWiring::openNotebook(AppContext& ctx)
{
    if (!caderno) {
        caderno = new gui::TformCaderno(notebook, ctx.messages, ctx.title);
        caderno->paperPanes = paperPanes(ctx);
        AppContext* context = &ctx;
        QObject::connect(caderno, &gui::TformCaderno::reviewRequested, caderno,
                         [this, context](const QList<qint64>& ids) { startReview(*context, ids); });
    } else {
        caderno->reload();
    }
    caderno->show();
    caderno->raise();
    caderno->activateWindow();
}

void WindowWiring::startReview(AppContext& ctx, const QList<qint64>& itemIds)
{
    if (!refazer) {
        refazer = new gui::TformRefazer(notebook, ctx.messages, ctx.title, paperPanes(ctx));
        QObject::connect(refazer, &gui::TformRefazer::reviewFinished, refazer, [this] { notebookChanged(); });
    }
    refazer->start(itemIds);
}

gui::PaperPaneFactory WindowWiring::paperPanes(AppContext& ctx)
{
    // The exam window's viewer: a notebook question opens where it starts in
    // its paper, with the map the exam window found and keeps in the store.
    AppContext* context = &ctx;
    return
        [context](QWidget* parent) -> gui::PaperPane* { return new gui::QuestionPaperPane(context->attempts, parent); };
}

void WindowWiring::notebookChanged()
{
    if (notebook && simul)
        if (const auto due = notebook->dueToday())
            simul->setDueToday(due.value());
    if (caderno && caderno->isVisible())
        caderno->reload();
}

void WindowWiring::destroyNotebookWindows()
{
    delete refazer;
    refazer = nullptr;
    delete caderno;
    caderno = nullptr;
}

} // namespace zelvora::app
