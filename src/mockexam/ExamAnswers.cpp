#include "mockexam/ExamAnswers.h"

namespace zelvora::mockexam {

void ExamAnswers::start(size_t questionCount, ItemType type)
{
    m_info = PaperInfo{};
    m_info.itemType = type;
    m_answers.assign(questionCount, NotAnswered);
    m_review.assign(questionCount, false);
    m_guess.assign(questionCount, false);
    m_struck.assign(questionCount, 0);
    m_items.clear();
    m_items.reserve(questionCount);
    const std::string word = ItemWord(type);
    for (size_t n = 1; n <= questionCount; ++n)
        m_items.push_back(word + " " + std::to_string(n));
    m_current = 0;
}

std::string ExamAnswers::ItemWord(ItemType type)
{
    return type == ItemType::RightWrong ? "Item" : "Questão";
}

void ExamAnswers::restore(const std::vector<std::string>& answers, int current)
{
    // Taken up again, a right/wrong paper stays one.
    start(answers.size(), m_info.itemType);
    for (size_t q = 0; q < answers.size(); ++q) {
        if (answers[q] == NotAnswered)
            continue;
        m_answers[q] = answers[q];
        m_items[q] += AnsweredMark;
    }
    if (!select(current))
        m_current = 0;
}

bool ExamAnswers::select(int index)
{
    if (index < 0 || size_t(index) >= m_answers.size())
        return false;
    m_current = index;
    return true;
}

bool ExamAnswers::next()
{
    return select(m_current + 1);
}

bool ExamAnswers::previous()
{
    return select(m_current - 1);
}

int ExamAnswers::storedOption(int question) const
{
    if (question < 0 || size_t(question) >= m_answers.size())
        return -1;
    return m_info.optionOf(m_answers[size_t(question)]);
}

bool ExamAnswers::answer(int option)
{
    if (option < 0 || option >= optionCount() || m_answers.empty())
        return false;
    const size_t q = size_t(m_current);
    m_answers[q] = m_info.answerFor(option);
    if (m_items[q].find("OK") != std::string::npos)
        return false;
    m_items[q] += AnsweredMark;
    return true;
}

void ExamAnswers::toggleReview()
{
    if (m_review.empty())
        return;
    m_review[size_t(m_current)] = !m_review[size_t(m_current)];
}

bool ExamAnswers::markedForReview(int question) const
{
    return question >= 0 && size_t(question) < m_review.size() && m_review[size_t(question)];
}

void ExamAnswers::toggleGuess()
{
    if (m_guess.empty())
        return;
    m_guess[size_t(m_current)] = !m_guess[size_t(m_current)];
}

bool ExamAnswers::guessed(int question) const
{
    return question >= 0 && size_t(question) < m_guess.size() && m_guess[size_t(question)];
}

void ExamAnswers::restoreGuesses(const std::vector<bool>& guesses)
{
    if (guesses.size() == m_guess.size())
        m_guess = guesses;
}

void ExamAnswers::toggleStruck(int option)
{
    if (m_struck.empty() || option < 0 || option >= optionCount())
        return;
    m_struck[size_t(m_current)] ^= uint8_t(1u << option);
}

bool ExamAnswers::struck(int question, int option) const
{
    if (question < 0 || size_t(question) >= m_struck.size() || option < 0 || option >= optionCount())
        return false;
    return (m_struck[size_t(question)] >> option) & 1u;
}

std::string ExamAnswers::itemExtra(int question) const
{
    std::string out;
    const int option = storedOption(question);
    if (option >= 0)
        out = optionLetter(option);
    if (markedForReview(question))
        out += (out.empty() ? "" : "  ") + std::string(ReviewMark);
    if (guessed(question))
        out += (out.empty() ? "" : "  ") + std::string(GuessMark);
    return out;
}

} // namespace zelvora::mockexam
