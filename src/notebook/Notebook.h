#pragma once
// The mistakes notebook kept in the attempt store's file: every question
// whose latest answer in a finished attempt was wrong, blank or a guess,
// across all papers, with its review schedule (Sm2Schedule).
//
// The notebook is kept up to date incrementally: each finished paper attempt
// is folded in once (catchUp), in the order the attempts ended, so the
// latest answer wins. Attempts finished before the notebook existed are
// folded in the first time it is read. A question right in a later paper
// attempt leaves the notebook; one missed again comes back with its count
// and note. Review sessions (ReviewSession) move questions along their
// schedule and never count as attempts at any paper.
//
// Every date decision (due today, tomorrow) uses the injected clock, in the
// user's local calendar.
#include "attempts/Attempt.h"
#include "notebook/NotebookCode.h"
#include "notebook/NotebookItem.h"
#include "text/Result.h"

#include <QDateTime>

#include <functional>
#include <map>
#include <vector>

class QSqlDatabase;

namespace zelvora::attempts {
class AttemptStore;
} // namespace zelvora::attempts

namespace zelvora::notebook {

class Notebook {
public:
    using Clock = std::function<QDateTime()>;
    using Status = Result<NotebookCode>;

    // store must outlive the notebook; now defaults to the wall clock.
    explicit Notebook(attempts::AttemptStore& store, Clock now = {});

    // Folds in every finished paper attempt not yet folded in; how many.
    ResultOf<int, NotebookCode> catchUp();
    // The questions now in the notebook, paper by paper and in question order.
    ResultOf<std::vector<NotebookItem>, NotebookCode> items();
    ResultOf<NotebookItem, NotebookCode> item(qint64 id);
    // How many questions are due today or earlier ("Para revisar hoje").
    ResultOf<int, NotebookCode> dueToday();
    ResultOf<std::vector<NotebookItem>, NotebookCode> dueItems();
    Status setNote(qint64 id, const QString& note);
    // One question answered in a review on the clock's day: its schedule
    // moves on; a mastered question leaves the notebook.
    Status applyReview(qint64 id, Outcome outcome);

    QDateTime now() const;
    // The clock's local day as a Julian day number.
    int64_t today() const;
    static int64_t DayOf(const QDateTime& t);

    attempts::AttemptStore& store() const { return m_store; }

private:
    struct PaperFiles {
        bool usable = false;
        std::vector<std::string> key;
        std::vector<int> annulled;
        std::vector<QString> subjectOf; // per question
        std::vector<QString> subjects; // in the info file's order
        bool rightWrong = false;
    };
    const PaperFiles& filesOf(const attempts::PaperIdentity& paper, std::map<QString, PaperFiles>& cache);
    struct Fold;
    Status foldIn(Fold& fold, qint64 attemptId, const attempts::PaperIdentity& paper, const QString& paperName,
                  const QDateTime& endedAt, const PaperFiles& files);
    bool ready() const;
    QSqlDatabase db() const;
    Status failed(const QString& message) const;

    attempts::AttemptStore& m_store;
    Clock m_now;
};

} // namespace zelvora::notebook
