#include "ProblemLog.h"

namespace zelvora::check {

ProblemLog::ProblemLog(std::vector<CheckProblem>& problems) : m_problems(problems)
{
}

void ProblemLog::add(std::string_view kind, bool error, std::string text)
{
    // Errors and warnings of one kind are counted apart, so the totals of
    // errors and warnings stay right.
    m_key.assign(kind);
    m_key += error ? '\1' : '\2';
    Tally& tally = m_kinds[m_key];
    ++tally.seen;
    if (tally.seen <= ShownPerKind) {
        m_problems.push_back({error, std::move(text), std::string(kind), 0});
        return;
    }
    if (tally.seen == ShownPerKind + 1) {
        tally.countLine = m_problems.size();
        m_problems.push_back({error, {}, std::string(kind), 0});
    }
    ++m_problems[tally.countLine].omitted;
}

void ProblemLog::finish()
{
    for (auto& p : m_problems)
        if (p.omitted > 0)
            p.text = "... e mais " + std::to_string(p.omitted)
                + (p.omitted == 1 ? " problema deste tipo (" : " problemas deste tipo (") + p.kind + ").";
}

} // namespace zelvora::check
