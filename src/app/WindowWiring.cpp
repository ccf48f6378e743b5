#include "app/WindowWiring.h"

#include "attempts/AttemptStore.h"
#include "attempts/TformHistorico.h"
#include "catalog/TformMain.h"
#include "mockexam/TformResultado.h"
#include "mockexam/TformSimul.h"
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
    }
    if (resultado)
        QObject::connect(resultado, &gui::TformResultado::historyRequested, resultado,
                         [this, context] { openHistory(*context); });
}

void WindowWiring::openHistory(AppContext& ctx)
{
    gui::TformHistorico::Open(ctx, historico);
}

} // namespace zelvora::app
