#pragma once
// The tables of the attempt store's file and their versions (PRAGMA
// user_version), on a connection the AttemptStore has opened:
//  - inspect() looks at a file before anything may change it: its version,
//    and whether it is damaged (not a database, failing the integrity check,
//    or lacking the tables its version promises);
//  - prepare() makes a new file's tables or brings an older file up to date,
//    one step per version, all in one transaction, so a failed step leaves
//    the file as it was;
//  - repairAnswerCounts() finds attempts that lost answer rows;
//  - SetAside() renames a damaged file (and its journal) out of the way.
//
// A new version is one more step in StoreSchema.cpp (the statements that
// bring the file from the version before) and one more check in fits().
#include "attempts/StoreError.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace zelvora::attempts {

class StoreSchema {
public:
    static constexpr int Version = 6;

    // connection: the name of an open SQLite connection.
    explicit StoreSchema(QString connection);

    struct Found {
        int version = -1; // -1 when the file is not a database
        bool damaged = false;
    };
    // Only reads. Fails with NewerVersion for a newer program's file.
    StoreResultOf<Found> inspect();
    // A file of version (0 for a new one) brought to Version.
    StoreResult prepare(int version);
    // The attempts whose row promised more answers than their answer rows
    // hold; their rows are brought in line with what is there.
    int repairAnswerCounts();

    // The version a newer program may have left in the log, read through a
    // read-only connection that never checkpoints nor changes the file.
    static std::optional<int> VersionInLog(const QString& path, int busyTimeoutMs);
    // Renames the file at path, closed, to "<path>.damaged-<time>" (its -wal
    // and -shm going with it); the new name.
    static StoreResultOf<QString> SetAside(const QString& path, const QDateTime& now);

private:
    bool fits(int version);
    StoreResult migrate(int from);
    StoreResult exec(const QString& sql);

    QString m_connection;
};

} // namespace zelvora::attempts
