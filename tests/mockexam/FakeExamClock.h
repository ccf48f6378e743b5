#pragma once
// An exam clock that ticks only when the test says so.
#include "mockexam/ExamClock.h"

class FakeExamClock final : public zelvora::mockexam::ExamClock {
public:
    void setInterval(int milliseconds) override { m_interval = milliseconds > 0 ? milliseconds : 0; }
    int interval() const override { return m_interval; }
    // One period passes: a running clock ticks, a stopped one does not.
    void tick()
    {
        if (m_interval > 0 && onTick)
            onTick();
    }

private:
    int m_interval = 0;
};
