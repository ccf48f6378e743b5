#include "mockexam/QuestionTimes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace zelvora::mockexam {

void QuestionTimes::start(std::size_t questionCount)
{
    m_seconds.assign(questionCount, 0);
}

void QuestionTimes::restore(const std::vector<long long>& seconds)
{
    if (seconds.size() == m_seconds.size())
        m_seconds = seconds;
}

void QuestionTimes::tick(int question)
{
    if (question >= 0 && std::size_t(question) < m_seconds.size())
        ++m_seconds[std::size_t(question)];
}

long long QuestionTimes::total() const
{
    return std::accumulate(m_seconds.begin(), m_seconds.end(), 0LL);
}

double QuestionTimes::average() const
{
    return m_seconds.empty() ? 0.0 : double(total()) / double(m_seconds.size());
}

std::vector<std::pair<int, long long>> QuestionTimes::slowest(std::size_t count) const
{
    std::vector<std::pair<int, long long>> out;
    for (std::size_t i = 0; i < m_seconds.size(); ++i) {
        if (m_seconds[i] > 0)
            out.emplace_back(int(i) + 1, m_seconds[i]);
    }
    std::stable_sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    if (out.size() > count)
        out.resize(count);
    return out;
}

std::vector<std::string> QuestionTimes::resultLines() const
{
    // Nothing to say before a whole second was counted (an exam finished at
    // once), nor for an attempt that kept no times.
    if (m_seconds.empty() || total() == 0)
        return {};
    std::vector<std::string> lines{"Tempo médio por questão: " + DurationText(std::llround(average()))};
    std::string slow;
    for (const auto& [number, seconds] : slowest(5))
        slow += (slow.empty() ? "" : ", ") + std::to_string(number) + " (" + DurationText(seconds) + ")";
    if (!slow.empty())
        lines.push_back("Mais demoradas: " + slow);
    return lines;
}

std::string QuestionTimes::DurationText(long long seconds)
{
    if (seconds < 0)
        seconds = 0;
    char buffer[48];
    if (seconds < 60)
        std::snprintf(buffer, sizeof buffer, "%lld s", seconds);
    else
        std::snprintf(buffer, sizeof buffer, "%lld min %02lld s", seconds / 60, seconds % 60);
    return buffer;
}

} // namespace zelvora::mockexam
