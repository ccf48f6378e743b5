#include "app/QuitSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace zelvora::app {

namespace {

int g_pipe[2] = {-1, -1};

extern "C" void OnQuitSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    if (::write(g_pipe[1], &byte, 1) < 0) {
        // The pipe is full: a quit is already waiting.
    }
    errno = saved;
}

} // namespace

void QuitSignals::Install()
{
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
}

QuitSignals::QuitSignals(QObject* parent) : QObject(parent)
{
    if (g_pipe[0] < 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::readPipe);
}

void QuitSignals::readPipe()
{
    char bytes[64];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    m_requested = true;
    emit quitRequested();
    // Ends every event loop, a modal one included; start-up that runs
    // outside the loop looks at requested().
    QCoreApplication::exit(0);
}

} // namespace zelvora::app
