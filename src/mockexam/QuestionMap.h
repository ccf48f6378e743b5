#pragma once
// Where the questions of one paper start: the places found in its text, and
// the places the user set by hand ("A questão N começa aqui"), which win over
// the found ones. A question in neither has no place: the paper is not
// scrolled for it.
#include "mockexam/QuestionPlace.h"

#include <optional>
#include <vector>

namespace zelvora::mockexam {

class QuestionMap {
public:
    QuestionMap() = default;
    QuestionMap(std::vector<QuestionPlace> found, std::vector<QuestionPlace> corrected);

    // The place of question number (1-based), the user's own first.
    std::optional<QuestionPlace> placeOf(int number) const;
    bool empty() const { return m_found.empty() && m_corrected.empty(); }

    // Sets (or replaces) the user's place for its question.
    void correct(const QuestionPlace& place);

    const std::vector<QuestionPlace>& found() const { return m_found; }
    const std::vector<QuestionPlace>& corrected() const { return m_corrected; }
    // Every placed question, ordered by number, the user's places in.
    std::vector<QuestionPlace> places() const;

private:
    static void Sort(std::vector<QuestionPlace>& places);
    static const QuestionPlace* Find(const std::vector<QuestionPlace>& places, int number);

    std::vector<QuestionPlace> m_found;
    std::vector<QuestionPlace> m_corrected;
};

} // namespace zelvora::mockexam
