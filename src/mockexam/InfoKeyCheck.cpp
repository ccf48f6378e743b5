#include "mockexam/InfoKeyCheck.h"

#include "mockexam/ExamScore.h"
#include "mockexam/QuestionRanges.h"

#include <algorithm>
#include <set>

namespace zelvora::mockexam {

namespace {

// "11, 12, 13" up to ten numbers, then " e mais N".
std::string ShortList(const std::vector<int>& numbers)
{
    std::string list;
    const size_t shown = std::min<size_t>(numbers.size(), 10);
    for (size_t k = 0; k < shown; ++k)
        list += (k ? ", " : "") + std::to_string(numbers[k]);
    if (numbers.size() > shown)
        list += " e mais " + std::to_string(numbers.size() - shown);
    return list;
}

// Questions named by two groups (subjects or blocks): each pair of groups is
// told once, for its first shared question, and at most ten pairs in all.
// Every question of the paper is looked at once per group, so the check
// stays linear in the paper and the groups, whatever the file repeats.
template <typename Group, typename Tell>
void Overlaps(const std::vector<Group>& groups, int count, Tell tell)
{
    std::vector<int> owner(size_t(std::max(count, 0)) + 1, -1);
    std::set<std::pair<int, int>> told;
    size_t untold = 0;
    for (size_t g = 0; g < groups.size(); ++g)
        for (const auto& [first, last] : QuestionRanges::Within(groups[g].ranges, count))
            for (int q = first; q <= last; ++q) {
                int& o = owner[size_t(q)];
                if (o < 0) {
                    o = int(g);
                } else if (o != int(g) && told.insert({o, int(g)}).second) {
                    if (told.size() <= 10)
                        tell(q, groups[size_t(o)], groups[g]);
                    else
                        ++untold;
                }
            }
    if (untold)
        tell(-int(untold), groups[0], groups[0]);
}

template <typename Group>
void PastTheEnd(const std::vector<Group>& groups, int count, const std::string& what, const std::string& plural,
                const std::string& questions, std::vector<InfoProblem>& problems)
{
    size_t told = 0;
    for (const auto& g : groups) {
        int last = 0;
        for (const auto& range : g.ranges)
            last = std::max(last, range.second);
        if (last <= count)
            continue;
        if (++told <= 10)
            problems.push_back({0, true,
                                what + " \"" + g.name + "\": questões até " + std::to_string(last)
                                    + ", mas a prova tem " + questions + "."});
    }
    if (told > 10)
        problems.push_back(
            {0, true, "e mais " + std::to_string(told - 10) + " " + plural + " com questões além da última."});
}

} // namespace

std::vector<InfoProblem> InfoKeyCheck::Check(const PaperInfo& info, const std::vector<std::string>& key)
{
    std::vector<InfoProblem> problems;
    const int count = int(key.size());
    const std::string questions = std::to_string(count) + (count == 1 ? " questão" : " questões");
    std::vector<int> missing;
    for (const int q : info.annulled)
        if (q > count)
            missing.push_back(q);
    if (!missing.empty())
        problems.push_back({0, true,
                            "anuladas: " + ShortList(missing) + (missing.size() == 1 ? " não existe" : " não existem")
                                + " (a prova tem " + questions + ")."});
    PastTheEnd(info.subjects, count, "disciplina", "disciplinas", questions, problems);
    PastTheEnd(info.blocks, count, "bloco", "blocos", questions, problems);
    Overlaps(info.subjects, count, [&](int q, const SubjectRange& a, const SubjectRange& b) {
        if (q < 0)
            problems.push_back(
                {0, false, "e mais " + std::to_string(-q) + " pares de disciplinas com questões em comum."});
        else
            problems.push_back({0, false,
                                "a questão " + std::to_string(q) + " está em duas disciplinas (\"" + a.name + "\" e \""
                                    + b.name + "\") e conta nas duas."});
    });
    Overlaps(info.blocks, count, [&](int q, const ScoreBlock& a, const ScoreBlock& b) {
        if (q < 0)
            problems.push_back({0, true, "e mais " + std::to_string(-q) + " pares de blocos com questões em comum."});
        else
            problems.push_back({0, true,
                                "a questão " + std::to_string(q) + " está em dois blocos (\"" + a.name + "\" e \""
                                    + b.name + "\"); no total ela conta só no primeiro."});
    });

    std::vector<int> bad;
    for (int q = 1; q <= count; ++q)
        if (!info.isAnnulled(q) && info.optionOf(key[size_t(q - 1)]) < 0)
            bad.push_back(q);
    if (!bad.empty()) {
        std::string list;
        const size_t shown = std::min<size_t>(bad.size(), 10);
        for (size_t k = 0; k < shown; ++k)
            list += (k ? ", " : "") + std::to_string(bad[k]);
        if (bad.size() > shown)
            list += " e mais " + std::to_string(bad.size() - shown);
        const std::string expected = info.itemType == ItemType::RightWrong ? "\"C\" ou \"E\"" : "um dígito de 1 a 5";
        problems.push_back({0, true,
                            "o gabarito tem linhas que não são " + expected + " (nenhuma resposta as acerta): "
                                + (bad.size() == 1 ? "linha " : "linhas ") + list + "."});
    }
    return problems;
}

} // namespace zelvora::mockexam
