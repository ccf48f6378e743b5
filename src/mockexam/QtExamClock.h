#pragma once
// The program's exam clock: a QTimer.
#include "mockexam/ExamClock.h"

#include <QTimer>

namespace zelvora::mockexam {

class QtExamClock final : public ExamClock {
public:
    QtExamClock();
    void setInterval(int milliseconds) override;
    int interval() const override;

private:
    QTimer m_timer;
    int m_interval = 0;
};

} // namespace zelvora::mockexam
