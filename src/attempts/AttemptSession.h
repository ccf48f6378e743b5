#pragma once
// What the exam window asks of the attempt store, in one place: on starting a
// paper, offer to continue its interrupted attempt; keep writing the attempt
// while it runs; ask before leaving a running paper and before finishing with
// blank questions; say once when the store is unavailable, when opening it
// found answers lost, and when a write fails. An interrupted attempt that
// another instance of the program holds is not offered: that is said and a
// new attempt starts. The window passes how to ask a yes/no question and how
// to show a message.
#include "attempts/AttemptRecorder.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace zelvora::attempts {

class AttemptStore;

class AttemptSession {
public:
    using Ask = std::function<bool(const QString& question)>;
    using Tell = std::function<void(const QString& message)>;

    // store may be null: nothing is kept and nothing is said.
    AttemptSession(AttemptStore* store, Ask ask, Tell tell);

    void setStore(AttemptStore* store);
    AttemptStore* store() const { return m_store; }

    // How a started paper begins: afresh, or where its attempt stopped.
    struct Start {
        bool resumed = false;
        std::vector<std::string> answers;
        int currentQuestion = 0;
        qint64 elapsedSeconds = 0;
    };
    // A paper is being started with this key and info (the previous attempt,
    // if any, must have been left through leave()). The stored score is the
    // one the results show: the same scoring, under the same info.
    Start start(const PaperIdentity& paper, const QString& paperName, const std::vector<std::string>& key,
                const mockexam::PaperInfo& info = {});

    void answered(int question, const std::vector<std::string>& answers, int currentQuestion);
    void tick(qint64 elapsedSeconds, int currentQuestion);
    // The running paper is left (another paper, closing): the clock is written.
    void leave(qint64 elapsedSeconds, int currentQuestion);
    void finish(qint64 elapsedSeconds, const std::vector<std::string>& answers);
    // Another write for the running attempt (its times, its guess marks):
    // a failure is said like the attempt's own, once per attempt.
    void written(const StoreResult& result);

    // True when the user agrees to leave the running paper.
    bool confirmLeave();
    // True when finishing may go on: no blank question, or the user agrees.
    bool confirmFinish(const std::vector<std::string>& answers);

    bool recording() const { return m_recorder.active(); }
    qint64 attemptId() const { return m_recorder.id(); }

private:
    void sayOnceWhyUnavailable();

    AttemptStore* m_store = nullptr;
    Ask m_ask;
    Tell m_tell;
    AttemptRecorder m_recorder;
    bool m_told = false;
};

} // namespace zelvora::attempts
