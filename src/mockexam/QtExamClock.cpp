#include "mockexam/QtExamClock.h"

namespace zelvora::mockexam {

QtExamClock::QtExamClock()
{
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (onTick)
            onTick();
    });
}

void QtExamClock::setInterval(int milliseconds)
{
    m_interval = milliseconds > 0 ? milliseconds : 0;
    if (m_interval == 0) {
        m_timer.stop();
        return;
    }
    // Setting the interval again restarts the count, as a window timer does.
    m_timer.start(m_interval);
}

int QtExamClock::interval() const
{
    return m_interval;
}

} // namespace zelvora::mockexam
