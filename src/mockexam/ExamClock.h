#pragma once
// The exam window's one-second clock, behind an interface so that tests can
// deliver ticks themselves instead of waiting for real seconds. Like a window
// timer: an interval of 0 means stopped, any other interval runs it.
#include <functional>

namespace zelvora::mockexam {

class ExamClock {
public:
    virtual ~ExamClock() = default;

    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;

    // Called once per interval while running.
    std::function<void()> onTick;
};

} // namespace zelvora::mockexam
