#pragma once
// An SQLite failure as the attempt store reports it: the StoreError that
// SQLite's primary result code stands for (busy, read-only, full, damaged...)
// and SQLite's own message, with its code, as the detail.
#include "attempts/StoreError.h"

class QSqlError;

namespace zelvora::attempts {

class SqlFailure {
public:
    static StoreResult Of(const QSqlError& e);
    // Whether the file is not a database or is damaged.
    static bool IsDamage(const QSqlError& e);
};

} // namespace zelvora::attempts
