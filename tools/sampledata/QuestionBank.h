#pragma once
// Makes the questions of the sample papers: fixed questions of language, law,
// computing and administration, and arithmetic questions whose numbers come
// from a seeded generator. The same seed always gives the same paper, and
// every question's right answer is what its answer key says.
#include "Question.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zelvora::sampledata {

class QuestionBank {
public:
    static std::vector<Question> Paper(uint64_t seed, int count);

    // A paper of right/wrong items: each question of Paper(seed, count) with
    // one of its options, right or wrong, to judge.
    static std::vector<Question> RightWrongPaper(uint64_t seed, int count);

    // The answer key of a paper: one digit "1" to "5" per question, or "C" /
    // "E" per right/wrong item.
    static std::vector<std::string> Key(const std::vector<Question>& paper);

    // "R$ 1.234,50"
    static std::string Money(long long cents);
};

} // namespace zelvora::sampledata
