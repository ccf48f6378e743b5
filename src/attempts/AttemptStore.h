#pragma once
// Every mock-exam attempt, kept in one SQLite file in the user's data folder
// (~/.local/share/zelvora/attempts.sqlite), never in the data folder beside
// the program.
//
// Each write is one small transaction, committed before the call returns, so
// a program killed in the middle of an exam loses nothing already written.
// The file runs in WAL mode; its schema version is PRAGMA user_version and an
// older file is brought up to date step by step when it is opened.
//
// A store that cannot be opened says why (error()) and every later call does
// nothing and returns false or nothing: the exam goes on without it. A file
// that is not a readable database is renamed aside ("<name>.damaged-<time>"),
// never deleted, and a fresh store takes its place; notice() then says where
// the old one is.
//
// One connection per store object, used on the thread that opened it.
#include "attempts/Attempt.h"

#include <QString>

class QSqlError;

#include <functional>
#include <optional>
#include <vector>

namespace zelvora::attempts {

class AttemptStore {
public:
    static constexpr int SchemaVersion = 5;
    static constexpr const char* FileName = "attempts.sqlite";

    // The user's data location + "/zelvora/attempts.sqlite".
    static QString DefaultPath();

    // now: the wall clock for start, end and save times; tests pass their own.
    explicit AttemptStore(QString path, std::function<QDateTime()> now = {});
    ~AttemptStore();
    AttemptStore(const AttemptStore&) = delete;
    AttemptStore& operator=(const AttemptStore&) = delete;

    // Opens (creating the folder and the file when needed) and migrates.
    bool open();
    // How long a write waits for another program holding the file; tests
    // that lock the file on purpose set 0.
    void setBusyTimeout(int milliseconds) { m_busyTimeoutMs = milliseconds; }
    void close();
    bool isOpen() const { return m_open; }
    QString path() const { return m_path; }
    // The SQLite connection, for the stores that keep their tables in the same file.
    QString connectionName() const { return m_connection; }
    // Why the store is not available, or why the last write failed; Portuguese.
    QString error() const { return m_error; }
    // Set when a damaged file was put aside while opening; Portuguese.
    QString notice() const { return m_notice; }
    QString setAsidePath() const { return m_setAside; }

    // A new, unfinished attempt at the current time; its id, or nothing.
    std::optional<qint64> begin(const PaperIdentity& paper, const QString& paperName, int questionCount);
    // Stores one answer and, in the same transaction, the current question
    // and the running counts the history shows.
    bool recordAnswer(qint64 id, int question, const std::string& answer, int currentQuestion, int answered, int hits);
    // The clock and the current question.
    bool recordProgress(qint64 id, qint64 elapsedSeconds, int currentQuestion);
    // Marks the attempt finished at the current time. Writes for an attempt
    // that was deleted meanwhile do nothing and succeed.
    bool finish(qint64 id, qint64 elapsedSeconds, int answered, int hits);
    bool remove(qint64 id);

    // The whole attempt, answers included ("#" where none was given).
    std::optional<Attempt> load(qint64 id);
    // The newest unfinished attempt at this paper that has an answer or a
    // second on its clock.
    std::optional<Attempt> findInterrupted(const PaperIdentity& paper);
    // Every attempt without its answers, newest first.
    std::vector<Attempt> summaries();

    // The schema version of the open file.
    int userVersion();

private:
    bool openFile();
    bool prepareSchema();
    bool migrate(int from);
    bool setAside();
    bool exec(const QString& sql);
    bool fail(const QSqlError& e);
    QDateTime now() const;

    QString m_path;
    QString m_connection;
    std::function<QDateTime()> m_now;
    bool m_open = false;
    QString m_error;
    QString m_notice;
    QString m_setAside;
    int m_busyTimeoutMs = 2000;
};

} // namespace zelvora::attempts
