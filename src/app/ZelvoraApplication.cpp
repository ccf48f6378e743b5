#include "app/ZelvoraApplication.h"

#include "app/DataFolderPrompt.h"
#include "app/DataLocation.h"
#include "app/FailureGuard.h"
#include "app/HotZoneAccessible.h"
#include "app/MessageBoxes.h"
#include "app/TformAbre.h"
#include "app/TformAguarde.h"
#include "app/TformCreditos.h"
#include "attempts/AttemptStore.h"
#include "attempts/TformHistorico.h"
#include "catalog/TformMain.h"
#include "mockexam/TformResultado.h"
#include "mockexam/TformSimul.h"
#include "text/PtBrCollation.h"

#include <QDeadlineTimer>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

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
    m_ctx.fixedFolder = FixedDataFolder(arguments().mid(1));
    m_chooseFolder = [this](const QStringList& lookedAt) { return DataFolderPrompt::Ask(lookedAt, m_ctx.title); };
    // Screen readers see the image buttons and clickable labels as buttons.
    gui::HotZoneAccessible::Install();
    // Start-up benchmark hook (bench/startup): with this variable set the
    // program prints the monotonic clock, in nanoseconds, once the catalog
    // window has been painted for the first time, and ends at once.
    m_exitAfterFirstPaint = qEnvironmentVariableIsSet("ZELVORA_EXIT_AFTER_FIRST_PAINT");
}

ZelvoraApplication::~ZelvoraApplication()
{
    destroyWindows();
}

bool ZelvoraApplication::notify(QObject* receiver, QEvent* event)
{
    // The attempt store opens once the catalog has been painted, so its
    // integrity check does not hold up the first window; at the latest it
    // opens as the exam window, its one user, is shown.
    if (!m_attemptsOpened && m_attempts) {
        if (event->type() == QEvent::Paint && receiver == m_windows.main && !m_attemptsQueued) {
            m_attemptsQueued = true;
            QTimer::singleShot(0, this, [this] { guarded([this] { openAttempts(); }); });
        } else if (event->type() == QEvent::Show && receiver == m_windows.simul) {
            guarded([this] { openAttempts(); });
        }
    }
    if (m_exitAfterFirstPaint && event->type() == QEvent::Paint && receiver == m_windows.main) {
        m_exitAfterFirstPaint = false;
        // Runs once the paint that is starting, with its children's, is done.
        QTimer::singleShot(0, [] {
            std::printf("first-paint %lld\n", static_cast<long long>(QDeadlineTimer::current().deadlineNSecs()));
            std::fflush(stdout);
            std::_Exit(0);
        });
    }
    bool handled = false;
    RunGuarded(m_ctx, [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

void ZelvoraApplication::guarded(const std::function<void()>& fn)
{
    RunGuarded(m_ctx, fn);
}

void ZelvoraApplication::showFailure(const QString& text)
{
    ShowFailure(m_ctx, text);
}

// Constructs one window and runs its creation handler; a failure in the
// handler is shown and the window still exists.
template <typename W>
W* ZelvoraApplication::createWindow(const char* windowClass)
{
    if (m_observer.beforeCreate)
        m_observer.beforeCreate(windowClass);
    W* w = nullptr;
    guarded([&] { w = new W(m_ctx); });
    if (w) {
        guarded([this, w] {
            w->FormCreate();
            if (m_observer.afterFormCreate)
                m_observer.afterFormCreate(w);
        });
    }
    return w;
}

void ZelvoraApplication::createWindows()
{
    // The attempt store opens before the exam window exists; when it cannot
    // be opened, the exam window says why at the first paper started.
    // It is opened after the catalog's first paint (see notify).
    if (!m_attempts) {
        m_attempts = std::make_unique<attempts::AttemptStore>(attempts::AttemptStore::DefaultPath());
        m_attemptsOpened = false;
        m_ctx.attempts = m_attempts.get();
    }
    // A window without its folder would show no buttons (the skins are
    // missing too) and no way out but closing it: ask for a folder first.
    while (!LocateDataFolders(m_ctx)) {
        const QString chosen = m_chooseFolder ? m_chooseFolder(m_ctx.lookedAt) : QString();
        if (chosen.isEmpty())
            return;
        m_ctx.fixedFolder = chosen;
    }
    auto& w = m_ctx.windows;
    m_windows.main = createWindow<gui::TformMain>("TformMain");
    w.creditos = createWindow<gui::TformCreditos>("TformCreditos");
    m_windows.simul = createWindow<gui::TformSimul>("TformSimul");
    m_windows.resultado = createWindow<gui::TformResultado>("TformResultado");
    w.aguarde = createWindow<gui::TformAguarde>("TformAguarde");
    w.abre = createWindow<gui::TformAbre>("TformAbre");
    guarded([this] { m_windows.wire(m_ctx); });
}

void ZelvoraApplication::openAttempts()
{
    if (m_attemptsOpened || !m_attempts)
        return;
    m_attemptsOpened = true;
    m_attempts->open();
}

int ZelvoraApplication::run()
{
    auto* main = m_windows.main;
    if (!main)
        return 1;
    main->show();
    // Ask for the focus too: on a desktop without a window manager nothing
    // else activates the window, and its first activation shows the splash.
    main->activateWindow();
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
    destroy(m_windows.resultado);
    destroy(m_windows.simul);
    destroy(w.creditos);
    destroy(m_windows.main);
    delete m_windows.historico;
    m_windows.historico = nullptr;
    // Last, after the exam window wrote its clock.
    m_ctx.attempts = nullptr;
    m_attempts.reset();
}

} // namespace zelvora::app
