#pragma once
// The answers of the exam being taken: one stored answer per question ("#"
// for none, "1" to "5" for options A to E, or "C" / "E" on a right/wrong
// paper), the current question, and the texts of the question selector
// ("Questão n", or "Item n" on a right/wrong paper, with "   OK" once
// answered). Beside them, two study aids
// that never touch the score: questions marked "Revisar depois", and options
// struck out; and questions marked as a guess ("Chute"), which the results
// leave blank for a second score. Texts are UTF-8.
#include "mockexam/PaperInfo.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zelvora::mockexam {

class ExamAnswers {
public:
    static constexpr const char* NotAnswered = "#";
    static constexpr const char* AnsweredMark = "   OK";
    static constexpr const char* ReviewMark = "[revisar]";
    static constexpr const char* GuessMark = "[chute]";

    // A new exam of questionCount questions, none answered, question 0
    // current, nothing marked or struck out.
    void start(size_t questionCount, ItemType type = ItemType::MultipleChoice);

    ItemType itemType() const { return m_info.itemType; }
    // What the paper calls a question: "Questão", or "Item" on a right/wrong paper.
    static std::string ItemWord(ItemType type);
    // 5 (A to E) or 2 (C and E).
    int optionCount() const { return m_info.optionCount(); }
    std::string optionLetter(int option) const { return m_info.optionLetter(option); }

    size_t questionCount() const { return m_answers.size(); }
    int current() const { return m_current; }
    const std::vector<std::string>& answers() const { return m_answers; }
    const std::vector<std::string>& itemTexts() const { return m_items; }

    // An exam of as many questions as answers, of the item type of the last
    // start, taken up again: the answers
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

    // The option (0 = A ... 4 = E, or 0 = C and 1 = E) stored for a
    // question, or -1 when it is not answered or its answer is no option.
    int storedOption(int question) const;

    // Stores option (0 = A ... 4 = E, or 0 = C and 1 = E) for the current
    // question and marks its selector text once. Returns true when the
    // selector text changed. An option the paper does not have or an exam
    // without questions changes nothing.
    bool answer(int option);

    // "Revisar depois" for the current question, on and off.
    void toggleReview();
    bool markedForReview(int question) const;
    const std::vector<bool>& reviewMarks() const { return m_review; }

    // "Chute" (the answer is a guess) for the current question, on and off;
    // guesses() has one mark per question. restoreGuesses takes marks kept
    // before (a list of another length changes nothing).
    void toggleGuess();
    bool guessed(int question) const;
    const std::vector<bool>& guesses() const { return m_guess; }
    void restoreGuesses(const std::vector<bool>& guesses);

    // Strikes an option of the current question out, or back in.
    void toggleStruck(int option);
    bool struck(int question, int option) const;

    // What the question selector shows after an item's text: the chosen
    // letter, the review mark and the guess mark ("C  [revisar]  [chute]");
    // empty when none.
    std::string itemExtra(int question) const;

private:
    std::vector<std::string> m_answers;
    std::vector<std::string> m_items;
    std::vector<bool> m_review;
    std::vector<bool> m_guess;
    std::vector<uint8_t> m_struck; // one bit per option
    PaperInfo m_info;
    int m_current = 0;
};

} // namespace zelvora::mockexam
