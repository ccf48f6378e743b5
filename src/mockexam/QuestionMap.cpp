#include "mockexam/QuestionMap.h"

#include <algorithm>

namespace zelvora::mockexam {

QuestionMap::QuestionMap(std::vector<QuestionPlace> found, std::vector<QuestionPlace> corrected)
    : m_found(std::move(found))
    , m_corrected(std::move(corrected))
{
    Sort(m_found);
    Sort(m_corrected);
}

void QuestionMap::Sort(std::vector<QuestionPlace>& places)
{
    std::stable_sort(places.begin(), places.end(),
                     [](const QuestionPlace& a, const QuestionPlace& b) { return a.number < b.number; });
    // One place per number: the last one given.
    std::vector<QuestionPlace> unique;
    for (const QuestionPlace& p : places) {
        if (!unique.empty() && unique.back().number == p.number)
            unique.back() = p;
        else
            unique.push_back(p);
    }
    places = std::move(unique);
}

const QuestionPlace* QuestionMap::Find(const std::vector<QuestionPlace>& places, int number)
{
    const auto it = std::lower_bound(places.begin(), places.end(), number,
                                     [](const QuestionPlace& p, int n) { return p.number < n; });
    return it != places.end() && it->number == number ? &*it : nullptr;
}

std::optional<QuestionPlace> QuestionMap::placeOf(int number) const
{
    if (const QuestionPlace* p = Find(m_corrected, number))
        return *p;
    if (const QuestionPlace* p = Find(m_found, number))
        return *p;
    return std::nullopt;
}

void QuestionMap::correct(const QuestionPlace& place)
{
    m_corrected.push_back(place);
    Sort(m_corrected);
}

std::vector<QuestionPlace> QuestionMap::places() const
{
    std::vector<QuestionPlace> out = m_corrected;
    for (const QuestionPlace& p : m_found) {
        if (!Find(m_corrected, p.number))
            out.push_back(p);
    }
    Sort(out);
    return out;
}

} // namespace zelvora::mockexam
