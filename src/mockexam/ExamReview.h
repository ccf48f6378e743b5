#pragma once
// The review of a finished exam: every question with the answer given, the
// key's answer and how it came out, filtered by what the user wants to go
// over again. Letters are shown as on the paper (A to E, or C and E).
#include "mockexam/PaperInfo.h"
#include "mockexam/QuestionStatus.h"

#include <string>
#include <utility>
#include <vector>

namespace zelvora::mockexam {

enum class ReviewFilter {
    All,
    Wrong, // answered wrongly
    Blank, // not answered (and not counted right)
    Marked, // marked "Revisar depois"
    NotRight, // every question the results list as wrong: answered wrongly or blank
    Guessed, // marked as a guess ("Chute")
};

struct ReviewRow {
    int number = 0; // 1-based
    std::string given; // letter; empty when not answered
    std::string key; // letter, or the key line itself (UTF-8) when it is no option
    QuestionStatus status = QuestionStatus::Blank;
    bool marked = false;
    bool guessed = false;
    long long seconds = -1; // time spent on it; -1 when the attempt kept none
    std::string note; // the user's note on the question (UTF-8), kept across attempts
};

class ExamReview {
public:
    static ExamReview Build(const std::vector<std::string>& key, const std::vector<std::string>& answers,
                            const std::vector<bool>& reviewMarks, const PaperInfo& info);

    const std::vector<ReviewRow>& rows() const { return m_rows; }
    std::vector<ReviewRow> filtered(ReviewFilter filter) const;

    // Guess marks and times (one per question, or empty: none kept) and
    // notes (by 1-based number) added to the rows.
    void addQuestionAids(const std::vector<bool>& guesses, const std::vector<long long>& seconds,
                         const std::vector<std::pair<int, std::string>>& notes);

    // "Todas", "Respondidas erradas", "Em branco", "Marcadas para revisar",
    // "Erradas ou em branco": what each filter keeps, in words a person
    // reads without knowing that blanks count as wrong in the results;
    // "Chutes": the questions marked as a guess.
    static const char* FilterText(ReviewFilter filter);
    // The filter's text with the number of questions it keeps:
    // "Em branco (20)".
    std::string filterLabel(ReviewFilter filter) const;
    // "Questão 3: marcada C, gabarito B - errada [revisar]", then when there
    // are: " [chute]", " - 1 min 05 s", " - nota: ..."
    static std::string RowText(const ReviewRow& row);

private:
    std::vector<ReviewRow> m_rows;
};

} // namespace zelvora::mockexam
