#pragma once
// How a call on the attempt store went. The store never makes the text a user
// reads: AttemptTexts turns each code into its Portuguese sentence, and the
// detail (SQLite's own message, a path) is for the log only.
#include "text/Result.h"

namespace zelvora::attempts {

enum class StoreError {
    Ok,
    DriverMissing, // Qt's SQLite driver is not installed
    FolderNotCreatable, // detail: the folder
    NotAFile, // something else (a folder, a FIFO) has the file's name
    CannotWrite, // read-only file or folder, or the file cannot be opened
    InUse, // another program holds the file locked
    DiskFull,
    DiskIo, // a read or write error of the disk
    Damaged, // not a readable database (and it could not be put aside)
    NewerVersion, // written by a newer program: never touched
    VersionUnreadable,
    NotOpen, // the store was not opened (or failed to open)
    Failed, // any other SQLite failure; detail: SQLite's message
};

using StoreResult = zelvora::Result<StoreError>;
template <typename T>
using StoreResultOf = zelvora::ResultOf<T, StoreError>;

} // namespace zelvora::attempts
