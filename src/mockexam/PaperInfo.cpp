#include "mockexam/PaperInfo.h"

#include <algorithm>

namespace zelvora::mockexam {

namespace {
const char* const MultipleChoiceLetters[] = {"A", "B", "C", "D", "E"};
const char* const RightWrongLetters[] = {"C", "E"};
} // namespace

bool PaperInfo::isAnnulled(int question) const
{
    return std::binary_search(annulled.begin(), annulled.end(), question);
}

bool PaperInfo::hasBoardRules() const
{
    const bool weighted = std::any_of(subjects.begin(), subjects.end(),
                                      [](const SubjectRange& s) { return s.weight.has_value(); });
    return !blocks.empty() || weighted || totalMinimum || cutoff || annulledRule == AnnulledRule::Excluded;
}

std::string PaperInfo::optionLetter(int option) const
{
    if (option < 0 || option >= optionCount())
        return {};
    return itemType == ItemType::RightWrong ? RightWrongLetters[option] : MultipleChoiceLetters[option];
}

std::string PaperInfo::answerFor(int option) const
{
    if (option < 0 || option >= optionCount())
        return {};
    if (itemType == ItemType::RightWrong)
        return RightWrongLetters[option];
    return std::string(1, char('1' + option));
}

int PaperInfo::optionOf(const std::string& answer) const
{
    for (int i = 0; i < optionCount(); ++i)
        if (answer == answerFor(i))
            return i;
    return -1;
}

std::string PaperInfo::letterOf(const std::string& keyOrAnswer) const
{
    const int option = optionOf(keyOrAnswer);
    return option < 0 ? keyOrAnswer : optionLetter(option);
}

} // namespace zelvora::mockexam
