// libFuzzer target: a paper's info file of arbitrary bytes, read, checked
// against a key of 1 to 256 questions (the first byte), scored, written and
// read again.
#include "mockexam/BoardScore.h"
#include "mockexam/ExamScore.h"
#include "mockexam/PaperInfoReader.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    using namespace zelvora::mockexam;
    if (size == 0)
        return 0;
    const size_t questions = size_t(bytes[0]) + 1;
    const std::string_view file(reinterpret_cast<const char*>(bytes + 1), size - 1);
    const PaperInfoReading r = PaperInfoReader::Read(file);
    if (r.problems.size() > PaperInfoReader::MaxProblems + 2)
        std::abort(); // the report must stay bounded
    std::vector<std::string> key(questions, "1");
    std::vector<std::string> answers(questions, "#");
    for (size_t q = 0; q < questions; q += 3)
        answers[q] = q % 2 ? "1" : "2";
    (void)PaperInfoReader::CheckAgainstKey(r.info, key);
    (void)ExamScore::Compute(key, answers, 60, r.info);
    const BoardScore board = BoardScore::Compute(key, answers, r.info, {1, 2, 3});
    (void)board.lines(",");
    const PaperInfoReading again = PaperInfoReader::Read(PaperInfoReader::Write(r.info));
    if (again.info.annulled != r.info.annulled || again.info.cutoff.has_value() != r.info.cutoff.has_value())
        std::abort(); // what was read must write back the same
    return 0;
}
