#pragma once
// The score the user would have had leaving the guesses blank: under
// one-wrong-cancels-one-right scoring a guess that went wrong costs a right
// answer, so the two scores side by side say whether guessing paid.
#include "mockexam/ExamScore.h"

#include <string>
#include <vector>

namespace zelvora::mockexam {

class GuessScore {
public:
    // answers with every guessed question made blank, scored as the paper
    // scores (guesses: one per question, or fewer: the rest are none).
    static ExamScore WithoutGuesses(const std::vector<std::string>& key, const std::vector<std::string>& answers,
                                    const std::vector<bool>& guesses, long long seconds, const PaperInfo& info);
    static int Count(const std::vector<bool>& guesses);

    // "Sem os chutes (3): 12 de 40", or under cancelling scoring
    // "Sem os chutes (3): 9 (12 certas - 3 erradas)"; empty without guesses.
    static std::string Text(const ExamScore& withoutGuesses, int guessCount);
};

} // namespace zelvora::mockexam
