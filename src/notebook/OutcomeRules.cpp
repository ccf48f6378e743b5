#include "notebook/OutcomeRules.h"

namespace zelvora::notebook {

Outcome OutcomeRules::Judge(const std::string& key, const std::string& answer, bool guessed, bool annulled)
{
    if (annulled)
        return Outcome::Right;
    const bool blank = answer.empty() || answer == "#";
    if (key == answer)
        return guessed && !blank ? Outcome::Guess : Outcome::Right;
    if (blank)
        return Outcome::Blank;
    return guessed ? Outcome::Guess : Outcome::Wrong;
}

} // namespace zelvora::notebook
