#pragma once
// Where a question starts in its paper: the page (from 0) and the distance in
// PDF points from the top of that page to the top of the question's first
// line.
namespace zelvora::mockexam {

struct QuestionPlace {
    int number = 0; // 1-based, as printed in the paper
    int page = 0;
    double y = 0;

    bool operator==(const QuestionPlace&) const = default;
};

} // namespace zelvora::mockexam
