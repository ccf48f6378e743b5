#pragma once
// Runs a function once a window has been shown, from the event loop that
// shows it. A modal window's exec() blocks the test, so whatever the test
// wants to check or do while the window is open goes in here.
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

class WhenShown : public QObject {
public:
    WhenShown(QWidget* window, std::function<void()> action) : m_window(window), m_action(std::move(action))
    {
        window->installEventFilter(this);
    }
    int timesShown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched == m_window && e->type() == QEvent::Show) {
            ++timesShown;
            QTimer::singleShot(0, this, [this] { m_action(); });
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
    std::function<void()> m_action;
};
