#pragma once
// Writes the attempt being taken into the attempt store as it goes: each
// answer when it is given, the clock every ten seconds and whenever the exam
// is left, and the end when it is finished. Works the same without a store
// (nothing is written), so the exam never depends on one.
//
// The recorder knows which answers the store holds. A write that fails (a
// full disk) leaves the answers in memory; every later write, and the clock's
// every ten seconds, first writes out whatever is still waiting, so nothing is
// lost once writing works again. The hits written are those of the answers
// stored, never of answers only in memory.
//
// The attempt being written is claimed (AttemptClaim) for as long as it is
// written, so another instance of the program cannot write into it too.
#include "attempts/Attempt.h"
#include "attempts/AttemptClaim.h"
#include "attempts/StoreError.h"
#include "mockexam/PaperInfo.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zelvora::attempts {

class AttemptStore;

class AttemptRecorder {
public:
    static constexpr int ClockSaveSeconds = 10;

    // store may be null or closed.
    explicit AttemptRecorder(AttemptStore* store = nullptr) : m_store(store) {}
    // Writes out what is still waiting.
    ~AttemptRecorder();
    AttemptRecorder(const AttemptRecorder&) = delete;
    AttemptRecorder& operator=(const AttemptRecorder&) = delete;

    void setStore(AttemptStore* store);

    // A new attempt at paper with this key, claimed for this instance. The
    // hits written are scored under info, exactly as the results score them.
    StoreResult begin(const PaperIdentity& paper, const QString& paperName, const std::vector<std::string>& key,
                      const mockexam::PaperInfo& info = {});
    // Goes on writing into an attempt taken from the store; claim is this
    // instance's hold on it (null where claims cannot be made).
    void resume(const Attempt& attempt, const std::vector<std::string>& key, std::unique_ptr<AttemptClaim> claim,
                const mockexam::PaperInfo& info = {});
    // The attempt is no longer written (it stays in the store as it is,
    // with whatever could still be written out) and its claim ends.
    void stop();

    bool active() const { return m_id != 0; }
    qint64 id() const { return m_id; }
    // Answers given that the store does not hold yet.
    int waiting() const;

    // answers: every stored answer after question was answered.
    void answer(int question, const std::vector<std::string>& answers, int currentQuestion);
    // One clock second passed; writes on every tenth.
    void tick(qint64 elapsedSeconds, int currentQuestion);
    // Writes the clock now (the exam is being left or closed).
    void save(qint64 elapsedSeconds, int currentQuestion);
    void finish(qint64 elapsedSeconds, const std::vector<std::string>& answers);

    // Called the first time a write fails in an attempt.
    std::function<void(const StoreResult&)> onFailure;
    // A write beside the recorder's own (the times per question, a guess
    // mark) that failed: said through onFailure, once per attempt as well.
    void report(const StoreResult& result);

private:
    bool writeWaiting(int currentQuestion);
    void writeFinish();
    int storedHits() const;

    AttemptStore* m_store = nullptr;
    qint64 m_id = 0;
    std::vector<std::string> m_key;
    std::vector<std::string> m_given; // what the user answered
    std::vector<std::string> m_stored; // what the store holds
    int m_current = 0;
    std::optional<qint64> m_finishWaiting; // the finish's clock, when it could not be written
    std::unique_ptr<AttemptClaim> m_claim;
    mockexam::PaperInfo m_info;
    bool m_reported = false;
};

} // namespace zelvora::attempts
