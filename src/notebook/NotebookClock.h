#pragma once
// The clock the program's date decisions use (when an attempt ended, which
// notebook questions are due today). Normally the wall clock. For tests of
// the running program only, the environment variable ZELVORA_TEST_NOW set to
// an ISO 8601 date and time ("2026-03-02T09:00:00Z") starts the clock there;
// it then runs on at the real pace, so events keep their order.
#include <QDateTime>
#include <QString>

#include <functional>

namespace zelvora::notebook {

class NotebookClock {
public:
    static constexpr const char* TestVariable = "ZELVORA_TEST_NOW";

    // An empty function (the wall clock) when the variable is unset or holds
    // no valid date and time.
    static std::function<QDateTime()> FromEnvironment();
    static std::function<QDateTime()> StartingAt(const QString& isoDateTime);
};

} // namespace zelvora::notebook
