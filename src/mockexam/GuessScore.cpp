#include "mockexam/GuessScore.h"

#include "mockexam/ExamAnswers.h"

#include <algorithm>

namespace zelvora::mockexam {

ExamScore GuessScore::WithoutGuesses(const std::vector<std::string>& key, const std::vector<std::string>& answers,
                                     const std::vector<bool>& guesses, long long seconds, const PaperInfo& info)
{
    std::vector<std::string> blanked = answers;
    for (std::size_t q = 0; q < blanked.size() && q < guesses.size(); ++q) {
        if (guesses[q])
            blanked[q] = ExamAnswers::NotAnswered;
    }
    return ExamScore::Compute(key, blanked, seconds, info);
}

int GuessScore::Count(const std::vector<bool>& guesses)
{
    return int(std::count(guesses.begin(), guesses.end(), true));
}

std::string GuessScore::Text(const ExamScore& withoutGuesses, int guessCount)
{
    if (guessCount <= 0)
        return {};
    const std::string head = "Sem os chutes (" + std::to_string(guessCount) + "): ";
    if (withoutGuesses.rule == ScoringRule::Cancelling)
        return head + withoutGuesses.netText();
    return head + withoutGuesses.hitsText();
}

} // namespace zelvora::mockexam
