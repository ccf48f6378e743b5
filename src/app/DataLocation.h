#pragma once
// Finds the folders the program reads (DataFolders.h) for a running program:
// the user's folder from the XDG data home, the installed folders from the
// executable's path, and what --dados or ZELVORA_DADOS fixed.
#include "app/AppContext.h"

#include <QStringList>

namespace zelvora::app {

// The user's own data folder: $XDG_DATA_HOME/zelvora/dados/.
QString UserDataFolder();

// The folder fixed by "--dados PASTA" (or "--dados=PASTA") in arguments
// (argv[0] excluded) or else by ZELVORA_DADOS; empty when neither.
QString FixedDataFolder(const QStringList& arguments);

// Fills ctx.sources, lookedAt, userFolder, dataFolder and mockExamFolder.
// Returns false when no data folder was found at all.
bool LocateDataFolders(AppContext& ctx);

} // namespace zelvora::app
