#pragma once
// The statistics across papers over every finished paper attempt (review
// sessions never count): hits per subject and per board, the lowest rate
// first (ties by name), a line per subject month by month, and the time per
// question. Subjects come from the papers' info files as the notebook folds
// each attempt in; a paper without subjects counts under the empty name.
#include "notebook/NotebookCode.h"
#include "notebook/SubjectPoint.h"
#include "notebook/SubjectRate.h"
#include "text/Result.h"

#include <map>
#include <vector>

namespace zelvora::notebook {

class Notebook;

struct NotebookStatsData {
    std::vector<SubjectRate> subjects;
    std::vector<SubjectRate> boards;
    std::map<QString, std::vector<SubjectPoint>> subjectLines;
    // All finished paper attempts: the seconds their questions were current
    // (the clock, for attempts from before that was kept) over the questions.
    double secondsPerQuestion = 0;
    int attempts = 0;
};

class NotebookStats {
public:
    static ResultOf<NotebookStatsData, NotebookCode> Compute(Notebook& notebook);
    // Lowest rate first; ties by name.
    static void SortLowestFirst(std::vector<SubjectRate>& rates);
};

} // namespace zelvora::notebook
