#pragma once
// "Exportar meus dados" and "Importar meus dados": the user's folder
// (~/.local/share/zelvora: the material added in "dados" and the attempt
// store) as one zip archive, to carry to another computer.
//
// Write puts every file of the folder into the archive, except the live store
// and its log: the store goes in as a consistent copy made by SQLite itself
// (VACUUM INTO), never a copy of files SQLite is writing. A small marker entry
// says the archive is the program's. The program's zip reader extracts every
// entry into one folder, so an entry is named by its path in the user's
// folder with "/" written "%2F" (and "%" written "%25").
//
// Read unpacks the archive with the program's own zip reader into a temporary
// folder, checks it (the marker, a readable store), then restores every file
// the folder lacks (a file the folder has already is kept as it is: the newer
// computer's material wins) and adds the attempts the store does not have: an
// attempt is known by its paper (PDF, data folder, key hash) and its start.
#include "attempts/StoreError.h"

#include <QString>

namespace zelvora::attempts {

class AttemptStore;

class UserDataArchive {
public:
    enum class Error {
        Ok,
        StoreUnavailable, // the store is not open: nothing to export or merge into
        BackupFailed, // SQLite could not make the copy; detail: its message
        CannotWrite, // the archive (or a restored file) cannot be written; detail: the path
        NotAnArchive, // the zip reader refused it; detail: its message
        NotOurs, // a zip without the program's marker
        StoreInArchiveUnreadable, // its store does not open (damaged, newer)
        MergeFailed, // writing the attempts failed; detail: SQLite's message
    };

    struct Imported {
        int filesRestored = 0;
        int filesKept = 0; // present already (the same or different)
        int attemptsAdded = 0;
        int attemptsKnown = 0;
    };

    // The marker entry's name and first line.
    static constexpr const char* MarkerName = "zelvora-dados.txt";

    static Result<Error> Write(AttemptStore& store, const QString& userFolder, const QString& archivePath);
    static ResultOf<Imported, Error> Read(const QString& archivePath, const QString& userFolder, AttemptStore& store);
};

} // namespace zelvora::attempts
