#include "app/ZelvoraApplication.h"

#include "app/MessageBoxes.h"
#include "app/TformAbre.h"
#include "app/TformAguarde.h"
#include "app/TformCreditos.h"
#include "catalog/TformMain.h"
#include "mockexam/TformResultado.h"
#include "mockexam/TformSimul.h"
#include "text/PtBrCollation.h"

#include <exception>

namespace zelvora::app {

ZelvoraApplication::ZelvoraApplication(int& argc, char** argv)
    : QApplication(argc, argv)
    , m_collation(std::make_unique<text::PtBrCollation>())
    , m_messages(std::make_unique<QtMessageBoxes>())
{
    setApplicationName(m_ctx.title);
    setApplicationDisplayName(QString());
    setQuitOnLastWindowClosed(false);
    m_ctx.executablePath = applicationFilePath();
    m_ctx.messages = m_messages.get();
    m_ctx.collation = m_collation.get();
    m_ctx.processEvents = [] { QCoreApplication::processEvents(); };
}

ZelvoraApplication::~ZelvoraApplication()
{
    destroyWindows();
}

bool ZelvoraApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        m_messages->show(nullptr, QString::fromUtf8(e.what()), m_ctx.title);
    } catch (...) {
        m_messages->show(nullptr, QStringLiteral("Erro desconhecido."), m_ctx.title);
    }
    return false;
}

void ZelvoraApplication::guarded(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (const std::exception& e) {
        m_messages->show(nullptr, QString::fromUtf8(e.what()), m_ctx.title);
    } catch (...) {
        m_messages->show(nullptr, QStringLiteral("Erro desconhecido."), m_ctx.title);
    }
}

namespace {

// Constructs one window and runs its creation handler; a failure in the
// handler is shown and the window still exists.
template <typename W>
W* CreateWindow(ZelvoraApplication& app, AppContext& ctx)
{
    W* w = nullptr;
    app.guarded([&] { w = new W(ctx); });
    if (w)
        app.guarded([w] { w->FormCreate(); });
    return w;
}

} // namespace

void ZelvoraApplication::createWindows()
{
    auto& w = m_ctx.windows;
    w.main = CreateWindow<TformMain>(*this, m_ctx);
    w.creditos = CreateWindow<TformCreditos>(*this, m_ctx);
    w.simul = CreateWindow<TformSimul>(*this, m_ctx);
    w.resultado = CreateWindow<TformResultado>(*this, m_ctx);
    w.aguarde = CreateWindow<TformAguarde>(*this, m_ctx);
    w.abre = CreateWindow<TformAbre>(*this, m_ctx);
}

int ZelvoraApplication::run()
{
    if (m_ctx.windows.main)
        m_ctx.windows.main->show();
    else
        return 1;
    return exec();
}

void ZelvoraApplication::destroyWindows()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    auto& w = m_ctx.windows;
    auto destroy = [this](auto*& window) {
        if (!window)
            return;
        auto* p = window;
        guarded([p] { p->FormDestroy(); });
        delete p;
        window = nullptr;
    };
    destroy(w.abre);
    destroy(w.aguarde);
    destroy(w.resultado);
    destroy(w.simul);
    destroy(w.creditos);
    destroy(w.main);
}

} // namespace zelvora::app
