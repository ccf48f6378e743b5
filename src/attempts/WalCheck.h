#pragma once
// Looks through an SQLite write-ahead log before SQLite recovers it and counts
// the committed transactions that recovery will drop: SQLite replays frames up
// to the first one whose checksum fails, so a damaged frame silently discards
// every transaction after it. A later frame of the same log generation (same
// salts) that ends a transaction is such a lost commit. Frames of an older
// generation, left behind when the log was restarted, are not. Qt-free.
#include <string>

namespace zelvora::attempts {

class WalCheck {
public:
    // Lost commits in the log file at path; 0 when there is no log or it is
    // whole.
    static int LostCommits(const std::string& walPath);
    // The same over the log's bytes.
    static int LostCommitsIn(const std::string& wal);
};

} // namespace zelvora::attempts
