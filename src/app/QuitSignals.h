#pragma once
// SIGTERM and SIGHUP (a logout, `kill`, a closed terminal) end the program
// the way "Sair" does: the event loop stops, every window's FormDestroy runs
// (the running exam writes its clock) and the attempt store closes. The
// signal handler only writes a byte to a pipe (the one thing it may safely
// do); a QSocketNotifier reads it in the event loop. Signals that arrive
// before the application object exists wait in the pipe.
#include <QObject>

class QSocketNotifier;

namespace zelvora::app {

class QuitSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; call first thing in main.
    static void Install();

    // Watches the pipe once the application object exists: a signal asks
    // the application to quit.
    explicit QuitSignals(QObject* parent = nullptr);

    // A signal came (also while start-up ran outside the event loop).
    bool requested() const { return m_requested; }

signals:
    void quitRequested();

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
    bool m_requested = false;
};

} // namespace zelvora::app
