#pragma once
// Writes the attempt being taken into the attempt store as it goes: each
// answer when it is given, the clock every ten seconds and whenever the exam
// is left, and the end when it is finished. Works the same without a store
// (nothing is written), so the exam never depends on one.
#include "attempts/Attempt.h"
#include "mockexam/PaperInfo.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace zelvora::attempts {

class AttemptStore;

class AttemptRecorder {
public:
    static constexpr int ClockSaveSeconds = 10;

    // store may be null or closed.
    explicit AttemptRecorder(AttemptStore* store = nullptr) : m_store(store) {}

    void setStore(AttemptStore* store) { m_store = store; }

    // A new attempt at paper with this key. The hits written with every
    // answer are scored under info, exactly as the results score them.
    bool begin(const PaperIdentity& paper, const QString& paperName, const std::vector<std::string>& key,
               const mockexam::PaperInfo& info = {});
    // Goes on writing into an attempt taken from the store.
    void resume(const Attempt& attempt, const std::vector<std::string>& key, const mockexam::PaperInfo& info = {});
    // The attempt is no longer written (it stays in the store as it is).
    void stop();

    bool active() const { return m_id != 0; }
    qint64 id() const { return m_id; }

    // answers: every stored answer after question was answered.
    void answer(int question, const std::vector<std::string>& answers, int currentQuestion);
    // One clock second passed; writes on every tenth.
    void tick(qint64 elapsedSeconds, int currentQuestion);
    // Writes the clock now (the exam is being left or closed).
    void save(qint64 elapsedSeconds, int currentQuestion);
    void finish(qint64 elapsedSeconds, const std::vector<std::string>& answers);

    // Called with the reason the first time a write fails in an attempt.
    std::function<void(const QString&)> onFailure;

private:
    void report(bool ok);

    AttemptStore* m_store = nullptr;
    qint64 m_id = 0;
    std::vector<std::string> m_key;
    mockexam::PaperInfo m_info;
    bool m_reported = false;
};

} // namespace zelvora::attempts
