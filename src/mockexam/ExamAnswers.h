#pragma once
// The answers of the exam being taken: one stored answer per question ("#"
// for none, "1" to "5" for options A to E), the current question, and the
// texts of the question selector ("Questão n", with "   OK" once answered).
// Texts are UTF-8.
#include <cstddef>
#include <string>
#include <vector>

namespace zelvora::mockexam {

class ExamAnswers {
public:
    static constexpr const char* NotAnswered = "#";
    static constexpr const char* AnsweredMark = "   OK";

    // A new exam of questionCount questions, none answered, question 0 current.
    void start(size_t questionCount);

    size_t questionCount() const { return m_answers.size(); }
    int current() const { return m_current; }
    const std::vector<std::string>& answers() const { return m_answers; }
    const std::vector<std::string>& itemTexts() const { return m_items; }

    // An exam of as many questions as answers, taken up again: the answers
    // as they were stored, each answered question's selector text marked,
    // and current made current (question 0 when it is outside the exam).
    void restore(const std::vector<std::string>& answers, int current);

    // Makes question index current; an index outside the exam changes nothing
    // and returns false.
    bool select(int index);
    // Move by one; at the last (first) question nothing changes and the
    // result is false.
    bool next();
    bool previous();

    // The option (0 = A ... 4 = E) stored for a question, or -1 when it is
    // not answered or its answer is no option.
    int storedOption(int question) const;

    // Stores option (0 = A ... 4 = E) for the current question and marks its
    // selector text once. Returns true when the selector text changed. An
    // option outside A to E or an exam without questions changes nothing.
    bool answer(int option);

private:
    std::vector<std::string> m_answers;
    std::vector<std::string> m_items;
    int m_current = 0;
};

} // namespace zelvora::mockexam
