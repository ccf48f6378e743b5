#pragma once
// Every mock-exam attempt, kept in one SQLite file in the user's data folder
// (~/.local/share/zelvora/attempts.sqlite), never in the data folder beside
// the program.
//
// Each write is one small transaction, committed before the call returns, so
// a program killed in the middle of an exam loses nothing already written.
// The file runs in WAL mode; its schema version is PRAGMA user_version and an
// older file is brought up to date step by step when it is opened. A file of
// a newer version is looked at before any connection may change it and is
// then left alone, byte for byte.
//
// Every call says how it went with a StoreError code (text/Result.h); a store
// that cannot be opened keeps the reason (status()) and every later call
// fails with NotOpen: the exam goes on without it. A file that is not a
// readable database, or that lacks the tables its version promises, is
// renamed aside ("<name>.damaged-<time>"), never deleted, and a fresh store
// takes its place (setAsidePath()).
//
// How many questions an attempt has answered is counted from its answer rows
// when it is read, never kept beside them.
//
// One connection per store object, used on the thread that opened it.
#include "attempts/Attempt.h"
#include "attempts/StoreError.h"
#include "attempts/StoreSchema.h"

#include <QString>

class QSqlError;

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace zelvora::attempts {

class AttemptStore {
public:
    // The file's version this program writes (StoreSchema keeps the steps).
    static constexpr int SchemaVersion = StoreSchema::Version;
    static constexpr const char* FileName = "attempts.sqlite";

    // The user's data location + "/zelvora/attempts.sqlite".
    static QString DefaultPath();

    // now: the wall clock for start, end and save times; tests pass their own.
    explicit AttemptStore(QString path, std::function<QDateTime()> now = {});
    ~AttemptStore();
    AttemptStore(const AttemptStore&) = delete;
    AttemptStore& operator=(const AttemptStore&) = delete;

    // Opens (creating the folder and the file when needed) and migrates.
    StoreResult open();
    // How long a write waits for another program holding the file; tests
    // that lock the file on purpose set 0.
    void setBusyTimeout(int milliseconds) { m_busyTimeoutMs = milliseconds; }
    void close();
    bool isOpen() const { return m_open; }
    QString path() const { return m_path; }
    // The SQLite connection, for the stores that keep their tables in the
    // same file (questions, the mistakes notebook); used on the same thread.
    QString connectionName() const { return m_connection; }
    // Where the claims of attempts (AttemptClaim) live: beside the file.
    QString claimFolder() const;
    // How the last open() went (why the store is not available).
    const StoreResult& status() const { return m_status; }
    // Set when a damaged file was put aside while opening.
    QString setAsidePath() const { return m_setAside; }
    // Found while opening: committed transactions the log lost to damage, and
    // attempts whose answer rows are fewer than their row said. Either means
    // answers given earlier are gone.
    int lostCommits() const { return m_lostCommits; }
    int shortAttempts() const { return m_shortAttempts; }

    // A new, unfinished attempt at the current time; its id.
    StoreResultOf<qint64> begin(const PaperIdentity& paper, const QString& paperName, int questionCount);
    // Stores answers (question, stored answer; "#" clears one) and, in the
    // same transaction, the current question and the hits of the answers now
    // stored.
    StoreResult recordAnswers(qint64 id, const std::vector<std::pair<int, std::string>>& answers, int currentQuestion,
                              int hits);
    StoreResult recordAnswer(qint64 id, int question, const std::string& answer, int currentQuestion, int hits)
    {
        return recordAnswers(id, {{question, answer}}, currentQuestion, hits);
    }
    // The clock and the current question.
    StoreResult recordProgress(qint64 id, qint64 elapsedSeconds, int currentQuestion);
    // Marks the attempt finished at the current time. Writes for an attempt
    // that was deleted meanwhile do nothing and succeed.
    StoreResult finish(qint64 id, qint64 elapsedSeconds, int hits);
    StoreResult remove(qint64 id);

    // The whole attempt, answers included ("#" where none was given); nothing
    // inside when there is no such attempt.
    StoreResultOf<std::optional<Attempt>> load(qint64 id);
    // The newest unfinished attempt at this paper that has an answer or a
    // second on its clock.
    StoreResultOf<std::optional<Attempt>> findInterrupted(const PaperIdentity& paper);
    // Every attempt without its answers, newest first.
    StoreResultOf<std::vector<Attempt>> summaries();

    // A consistent copy of the whole store in a new file (VACUUM INTO), safe
    // while the store is in use.
    StoreResult backupTo(const QString& path);
    // Adds, in one transaction, the attempts (answers included) that the
    // store does not have: an attempt is the same when its paper and its
    // start are. The number added.
    StoreResultOf<int> addMissing(const std::vector<Attempt>& attempts);

    // The schema version of the open file, -1 when it cannot be read.
    int userVersion();

    // Called after an attempt was marked finished.
    std::function<void(qint64 id)> onFinished;

private:
    StoreResult openFile();
    StoreResult setAside();
    StoreResult exec(const QString& sql);
    StoreResult fail(const QSqlError& e);
    QDateTime now() const;

    QString m_path;
    QString m_connection;
    std::function<QDateTime()> m_now;
    bool m_open = false;
    StoreResult m_status = StoreResult::Fail(StoreError::NotOpen);
    QString m_setAside;
    int m_lostCommits = 0;
    int m_shortAttempts = 0;
    int m_busyTimeoutMs = 2000;
};

} // namespace zelvora::attempts
