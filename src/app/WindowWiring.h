#pragma once
// The feature windows of the program and the one place that connects them:
// each window asks for another through a signal (the catalog's Simulado
// button, the history buttons, the results' review), and the user's own
// material is attached to the catalog and exam windows here, so no feature's
// window knows another feature's window.
#include "app/AppContext.h"

namespace zelvora::gui {
class TformMain;
class TformSimul;
class TformResultado;
class TformHistorico;
} // namespace zelvora::gui

namespace zelvora::app {

class WindowWiring {
public:
    gui::TformMain* main = nullptr;
    gui::TformSimul* simul = nullptr;
    gui::TformResultado* resultado = nullptr;
    // Made the first time the history is asked for.
    gui::TformHistorico* historico = nullptr;

    // Connects the windows made so far (any may be missing) over ctx.
    void wire(AppContext& ctx);
    // Shows the history window, making it on first use.
    void openHistory(AppContext& ctx);
};

} // namespace zelvora::app
