#pragma once
// The feature windows of the program and the one place that connects them:
// each window asks for another through a signal (the catalog's Simulado
// button, the history buttons, the results' review), and the user's own
// material is attached to the catalog and exam windows here, so no feature's
// window knows another feature's window.
#include "app/AppContext.h"
#include "app/PaperPane.h"

#include <QList>

namespace zelvora::gui {
class TformMain;
class TformSimul;
class TformResultado;
class TformHistorico;
class TformCaderno;
class TformRefazer;
} // namespace zelvora::gui
namespace zelvora::notebook {
class Notebook;
} // namespace zelvora::notebook

namespace zelvora::app {

class WindowWiring {
public:
    gui::TformMain* main = nullptr;
    gui::TformSimul* simul = nullptr;
    gui::TformResultado* resultado = nullptr;
    // Made the first time the history is asked for.
    gui::TformHistorico* historico = nullptr;
    // The mistakes notebook (may be null) and its windows, made on first use.
    notebook::Notebook* notebook = nullptr;
    gui::TformCaderno* caderno = nullptr;
    gui::TformRefazer* refazer = nullptr;

    // Connects the windows made so far (any may be missing) over ctx.
    void wire(AppContext& ctx);
    // Shows the history window, making it on first use.
    void openHistory(AppContext& ctx);
    // Shows the mistakes notebook, making it on first use.
    void openNotebook(AppContext& ctx);
    // A review session over these notebook questions.
    void startReview(AppContext& ctx, const QList<qint64>& itemIds);
    // The notebook changed (an attempt or a review finished): the exam
    // window's count of questions due and an open notebook follow.
    void notebookChanged();
    void destroyNotebookWindows();

private:
    // How the notebook's windows show a question in its paper.
    static gui::PaperPaneFactory paperPanes(AppContext& ctx);
};

} // namespace zelvora::app
