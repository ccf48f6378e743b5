#include "attempts/SqlFailure.h"

#include <QSqlError>
#include <QString>

namespace zelvora::attempts {

namespace {

// SQLite's primary result codes that the store tells apart.
enum SqliteCode {
    Busy = 5,
    Locked = 6,
    ReadOnly = 8,
    IoError = 10,
    Corrupt = 11,
    Full = 13,
    CantOpen = 14,
    NotADatabase = 26,
};

int PrimaryCode(const QSqlError& e)
{
    bool ok = false;
    const int code = e.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xff) : -1;
}

StoreError CodeOf(const QSqlError& e)
{
    switch (PrimaryCode(e)) {
    case Busy:
    case Locked:
        return StoreError::InUse;
    case ReadOnly:
    case CantOpen:
        return StoreError::CannotWrite;
    case Full:
        return StoreError::DiskFull;
    case IoError:
        return StoreError::DiskIo;
    case Corrupt:
    case NotADatabase:
        return StoreError::Damaged;
    default:
        return StoreError::Failed;
    }
}

} // namespace

StoreResult SqlFailure::Of(const QSqlError& e)
{
    const QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return StoreResult::Fail(CodeOf(e), QStringLiteral("%1 (SQLite %2)").arg(text, e.nativeErrorCode()).toStdString());
}

bool SqlFailure::IsDamage(const QSqlError& e)
{
    const int code = PrimaryCode(e);
    return code == Corrupt || code == NotADatabase;
}

} // namespace zelvora::attempts
