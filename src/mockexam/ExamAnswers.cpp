#include "mockexam/ExamAnswers.h"

namespace zelvora::mockexam {

void ExamAnswers::start(size_t questionCount)
{
    m_answers.assign(questionCount, NotAnswered);
    m_items.clear();
    m_items.reserve(questionCount);
    for (size_t n = 1; n <= questionCount; ++n)
        m_items.push_back("Questão " + std::to_string(n));
    m_current = 0;
}

void ExamAnswers::restore(const std::vector<std::string>& answers, int current)
{
    start(answers.size());
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
    const std::string& a = m_answers[size_t(question)];
    if (a.size() != 1 || a[0] < '1' || a[0] > '5')
        return -1;
    return a[0] - '1';
}

bool ExamAnswers::answer(int option)
{
    if (option < 0 || option > 4 || m_answers.empty())
        return false;
    const size_t q = size_t(m_current);
    m_answers[q] = std::string(1, char('1' + option));
    if (m_items[q].find("OK") != std::string::npos)
        return false;
    m_items[q] += AnsweredMark;
    return true;
}

} // namespace zelvora::mockexam
