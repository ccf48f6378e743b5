#pragma once
// A review session ("Refazer"): questions of the notebook, from any number of
// papers, answered again in one sitting. It is kept in the attempt store as
// an attempt of its own kind (kind 1): its answers are written as they are
// given, so it can be left and resumed, and it never appears in a paper's
// history, best or average. Each question is scored against its own paper's
// key; finishing moves every question along its schedule.
#include "attempts/AttemptClaim.h"
#include "notebook/Notebook.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zelvora::notebook {

class ReviewSession {
public:
    using Status = Result<NotebookCode>;
    static constexpr int Kind = 1;

    // A new session over these notebook questions, in this order.
    static ResultOf<ReviewSession, NotebookCode> Start(Notebook& notebook, const std::vector<qint64>& itemIds);
    // The newest review session left unfinished, if any; none while another
    // window holds it.
    static ResultOf<std::optional<ReviewSession>, NotebookCode> FindInterrupted(Notebook& notebook);

    qint64 attemptId() const { return m_attemptId; }
    const std::vector<NotebookItem>& questions() const { return m_items; }
    // One per question: "#" or the stored answer ("1".."5", "C"/"E").
    const std::vector<std::string>& answers() const { return m_answers; }
    int current() const { return m_current; }
    qint64 elapsedSeconds() const { return m_elapsed; }
    bool finished() const { return m_finished; }

    // Writes the answer to question position (0-based) at once.
    Status answer(int position, const std::string& answer);
    Status saveProgress(qint64 elapsedSeconds, int current);
    // Scores every question against its own key and moves each along its
    // schedule; the outcomes, in question order.
    ResultOf<std::vector<Outcome>, NotebookCode> finish(qint64 elapsedSeconds);
    int hits() const;

private:
    explicit ReviewSession(Notebook& notebook) : m_notebook(&notebook) {}
    static ResultOf<ReviewSession, NotebookCode> Load(Notebook& notebook, qint64 attemptId,
                                                      std::shared_ptr<attempts::AttemptClaim> claim);

    Notebook* m_notebook;
    qint64 m_attemptId = 0;
    std::vector<NotebookItem> m_items;
    std::vector<std::string> m_answers;
    int m_current = 0;
    qint64 m_elapsed = 0;
    bool m_finished = false;
    // Held while the session lives (shared by its copies).
    std::shared_ptr<attempts::AttemptClaim> m_claim;
};

} // namespace zelvora::notebook
