#pragma once
// How one question went in a finished attempt. A question is missed when its
// answer was wrong, left blank or marked as a guess (a guessed right answer
// is not yet known).
#include <string>

namespace zelvora::notebook {

enum class Outcome {
    Right = 0,
    Wrong = 1,
    Blank = 2,
    Guess = 3,
};

class OutcomeRules {
public:
    // key and answer are the stored lines ("#" for no answer, "1".."5" or
    // "C"/"E"); an annulled question counts as right whatever was marked,
    // as the score counts it; a key line "#" matches a blank answer.
    static Outcome Judge(const std::string& key, const std::string& answer, bool guessed, bool annulled);
    static bool IsMiss(Outcome o) { return o != Outcome::Right; }
};

} // namespace zelvora::notebook
