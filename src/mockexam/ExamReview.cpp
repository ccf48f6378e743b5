#include "mockexam/ExamReview.h"

#include "mockexam/ExamAnswers.h"
#include "mockexam/ExamScore.h"
#include "mockexam/QuestionTimes.h"
#include "text/Windows1252.h"

namespace zelvora::mockexam {

ExamReview ExamReview::Build(const std::vector<std::string>& key, const std::vector<std::string>& answers,
                             const std::vector<bool>& reviewMarks, const PaperInfo& info)
{
    const ExamScore score = ExamScore::Compute(key, answers, 0, info);
    ExamReview review;
    review.m_rows.reserve(key.size());
    for (size_t i = 0; i < key.size(); ++i) {
        ReviewRow row;
        row.number = int(i + 1);
        const std::string given = i < answers.size() ? answers[i] : std::string(ExamAnswers::NotAnswered);
        if (given != ExamAnswers::NotAnswered)
            row.given = text::Cp1252ToUtf8(info.letterOf(given));
        row.key = text::Cp1252ToUtf8(info.letterOf(key[i]));
        row.status = score.statuses[i];
        row.marked = i < reviewMarks.size() && reviewMarks[i];
        review.m_rows.push_back(std::move(row));
    }
    return review;
}

std::vector<ReviewRow> ExamReview::filtered(ReviewFilter filter) const
{
    std::vector<ReviewRow> out;
    for (const ReviewRow& row : m_rows) {
        const bool keep = filter == ReviewFilter::All
            || (filter == ReviewFilter::Wrong && row.status == QuestionStatus::Wrong)
            || (filter == ReviewFilter::Blank && row.status == QuestionStatus::Blank)
            || (filter == ReviewFilter::Marked && row.marked)
            || (filter == ReviewFilter::NotRight
                && (row.status == QuestionStatus::Wrong || row.status == QuestionStatus::Blank))
            || (filter == ReviewFilter::Guessed && row.guessed);
        if (keep)
            out.push_back(row);
    }
    return out;
}

const char* ExamReview::FilterText(ReviewFilter filter)
{
    switch (filter) {
    case ReviewFilter::All:
        return "Todas";
    case ReviewFilter::Wrong:
        return "Respondidas erradas";
    case ReviewFilter::Blank:
        return "Em branco";
    case ReviewFilter::Marked:
        return "Marcadas para revisar";
    case ReviewFilter::NotRight:
        return "Erradas ou em branco";
    case ReviewFilter::Guessed:
        return "Chutes";
    }
    return "";
}

std::string ExamReview::filterLabel(ReviewFilter filter) const
{
    return std::string(FilterText(filter)) + " (" + std::to_string(filtered(filter).size()) + ")";
}

std::string ExamReview::RowText(const ReviewRow& row)
{
    std::string out = "Questão " + std::to_string(row.number) + ": marcada "
        + (row.given.empty() ? std::string("-") : row.given) + ", gabarito "
        + (row.key.empty() ? std::string("-") : row.key) + " - " + StatusText(row.status);
    if (row.marked)
        out += " " + std::string(ExamAnswers::ReviewMark);
    if (row.guessed)
        out += " [chute]";
    if (row.seconds >= 0)
        out += " - " + QuestionTimes::DurationText(row.seconds);
    if (!row.note.empty())
        out += " - nota: " + row.note;
    return out;
}

void ExamReview::addQuestionAids(const std::vector<bool>& guesses, const std::vector<long long>& seconds,
                                 const std::vector<std::pair<int, std::string>>& notes)
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        m_rows[i].guessed = i < guesses.size() && guesses[i];
        m_rows[i].seconds = seconds.size() == m_rows.size() ? seconds[i] : -1;
        m_rows[i].note.clear();
    }
    for (const auto& [number, note] : notes) {
        if (number >= 1 && std::size_t(number) <= m_rows.size())
            m_rows[std::size_t(number) - 1].note = note;
    }
}

} // namespace zelvora::mockexam
