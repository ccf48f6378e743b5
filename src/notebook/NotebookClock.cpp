#include "notebook/NotebookClock.h"

#include <QElapsedTimer>

#include <memory>

namespace zelvora::notebook {

std::function<QDateTime()> NotebookClock::StartingAt(const QString& isoDateTime)
{
    const QDateTime start = QDateTime::fromString(isoDateTime, Qt::ISODate);
    if (!start.isValid())
        return {};
    auto since = std::make_shared<QElapsedTimer>();
    since->start();
    return [start, since] { return start.addMSecs(since->elapsed()).toUTC(); };
}

std::function<QDateTime()> NotebookClock::FromEnvironment()
{
    const QString value = qEnvironmentVariable(TestVariable);
    return value.isEmpty() ? std::function<QDateTime()>() : StartingAt(value);
}

} // namespace zelvora::notebook
