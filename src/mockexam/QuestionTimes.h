#pragma once
// The seconds during which each question was the current one: every second
// the exam clock counts goes to the question shown at that second. The
// results show the average and the slowest questions, the review each
// question's time.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace zelvora::mockexam {

class QuestionTimes {
public:
    void start(std::size_t questionCount);
    // Times kept before (a resumed attempt); a list of another length is
    // none and the count starts over.
    void restore(const std::vector<long long>& seconds);
    // One second on question (0-based); outside the exam nothing.
    void tick(int question);

    bool empty() const { return m_seconds.empty(); }
    const std::vector<long long>& seconds() const { return m_seconds; }
    long long total() const;
    // Seconds per question over every question of the exam; 0 without any.
    double average() const;
    // Up to count questions by time spent, longest first (ties: lower
    // number first), each as (number 1-based, seconds); questions never
    // shown are left out.
    std::vector<std::pair<int, long long>> slowest(std::size_t count) const;

    // What the results say: "Tempo médio por questão: 42 s" and "Mais
    // demoradas: 12 (3 min 05 s), 7 (2 min 00 s), ..." (the slowest five);
    // nothing when no time was kept or no second counted yet.
    std::vector<std::string> resultLines() const;

    // "1 min 05 s", "42 s"
    static std::string DurationText(long long seconds);

private:
    std::vector<long long> m_seconds;
};

} // namespace zelvora::mockexam
