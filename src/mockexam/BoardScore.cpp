#include "mockexam/BoardScore.h"

#include "mockexam/ExamAnswers.h"
#include "mockexam/ExamScore.h"
#include "mockexam/QuestionRanges.h"

#include <cmath>

namespace zelvora::mockexam {

namespace {

constexpr double Epsilon = 1e-9;

// What one question earns before its weight: 1 right, -1 wrong under the
// cancelling rule, 0 otherwise; counts says whether it is in the maximum.
struct Earned {
    int value = 0;
    bool counts = true;
    QuestionStatus status = QuestionStatus::Blank;
};

std::string Plural(int n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Points(double points, const std::string& point)
{
    return ExamScore::FormatPoints(points, point);
}

} // namespace

BoardScore BoardScore::Compute(const std::vector<std::string>& key, const std::vector<std::string>& answers,
                               const PaperInfo& info, const std::set<int>& guessed)
{
    BoardScore s;
    s.applies = info.hasBoardRules();
    s.cancelling = info.scoring == ScoringRule::Cancelling;
    s.minimum = info.totalMinimum;
    s.cutoff = info.cutoff;
    const int count = int(key.size());
    const bool excluded = info.annulledRule == AnnulledRule::Excluded;

    std::vector<Earned> earned(size_t(count) + 1);
    for (int q = 1; q <= count; ++q) {
        const std::string& a = size_t(q - 1) < answers.size() ? answers[size_t(q - 1)] : ExamAnswers::NotAnswered;
        Earned& e = earned[size_t(q)];
        if (info.isAnnulled(q)) {
            e.status = QuestionStatus::Annulled;
            e.value = excluded ? 0 : 1;
            e.counts = !excluded;
        } else if (a == key[size_t(q - 1)]) {
            e.status = QuestionStatus::Right;
            e.value = 1;
        } else if (a != ExamAnswers::NotAnswered) {
            e.status = QuestionStatus::Wrong;
            e.value = s.cancelling ? -1 : 0;
        }
    }

    // A question is worth its block's weight, else its first weighted
    // subject's, else 1; in the total it counts once, in its first block.
    std::vector<double> weight(size_t(count) + 1, 1.0);
    std::vector<char> placed(size_t(count) + 1, 0);
    for (const ScoreBlock& block : info.blocks)
        for (const auto& [first, last] : QuestionRanges::Within(block.ranges, count))
            for (int q = first; q <= last; ++q)
                if (!placed[size_t(q)]) {
                    placed[size_t(q)] = 1;
                    weight[size_t(q)] = block.weight;
                }
    for (const SubjectRange& subject : info.subjects) {
        if (!subject.weight)
            continue;
        for (const auto& [first, last] : QuestionRanges::Within(subject.ranges, count))
            for (int q = first; q <= last; ++q)
                if (!placed[size_t(q)]) {
                    placed[size_t(q)] = 1;
                    weight[size_t(q)] = *subject.weight;
                }
    }
    for (int q = 1; q <= count; ++q) {
        const Earned& e = earned[size_t(q)];
        s.points += weight[size_t(q)] * e.value;
        if (e.counts)
            s.maximum += weight[size_t(q)];
    }

    for (const ScoreBlock& block : info.blocks) {
        BlockScore b;
        b.name = block.name;
        b.weight = block.weight;
        b.minimum = block.minimum;
        for (const auto& [first, last] : QuestionRanges::Within(block.ranges, count))
            for (int q = first; q <= last; ++q) {
                const Earned& e = earned[size_t(q)];
                if (!e.counts)
                    continue;
                b.maximum += block.weight;
                b.points += block.weight * e.value;
                if (e.status == QuestionStatus::Right || e.status == QuestionStatus::Annulled)
                    ++b.right;
                else if (e.status == QuestionStatus::Wrong)
                    ++b.wrong;
                else
                    ++b.blank;
            }
        s.blocks.push_back(std::move(b));
    }

    bool anyGuess = false;
    std::vector<std::string> withoutGuesses = answers;
    withoutGuesses.resize(key.size(), ExamAnswers::NotAnswered);
    for (const int q : guessed)
        if (q >= 1 && q <= count && withoutGuesses[size_t(q - 1)] != ExamAnswers::NotAnswered) {
            withoutGuesses[size_t(q - 1)] = ExamAnswers::NotAnswered;
            anyGuess = true;
        }
    if (anyGuess)
        s.pointsWithoutGuesses = Compute(key, withoutGuesses, info).points;
    return s;
}

bool BoardScore::eliminated() const
{
    if (belowMinimum())
        return true;
    for (const BlockScore& b : blocks)
        if (b.eliminated())
            return true;
    return false;
}

std::optional<double> BoardScore::cutoffMargin() const
{
    if (!cutoff)
        return std::nullopt;
    return points - *cutoff;
}

std::string BoardScore::BlockText(const BlockScore& block, bool cancelling, const std::string& point)
{
    std::string out = Plural(block.right, "certa", "certas") + ", " + Plural(block.wrong, "errada", "erradas");
    if (cancelling)
        out += ", líquida " + std::to_string(block.net());
    return out + ": " + Points(block.points, point) + " de " + Points(block.maximum, point) + " pontos";
}

std::string BoardScore::CutoffText(double margin, double cutoff, const std::string& point)
{
    const double size = std::fabs(margin);
    if (size < 0.005)
        return "Exatamente na nota de corte (" + Points(cutoff, point) + ")";
    const std::string amount = Points(size, point);
    return amount + (amount == "1" ? " ponto " : " pontos ") + (margin > 0 ? "acima" : "abaixo") + " da nota de corte ("
        + Points(cutoff, point) + ")";
}

std::vector<BoardScore::Line> BoardScore::lines(const std::string& point) const
{
    std::vector<Line> out;
    if (!applies)
        return out;
    for (const BlockScore& b : blocks) {
        std::string head = b.name;
        std::string details;
        if (std::fabs(b.weight - 1.0) > Epsilon)
            details = "peso " + Points(b.weight, point);
        if (b.minimum)
            details += (details.empty() ? "" : ", ") + std::string("mínimo ") + Points(*b.minimum, point);
        if (!details.empty())
            head += " (" + details + ")";
        out.push_back({head, b.eliminated() ? "eliminado" : ""});
        out.push_back({"   " + BlockText(b, cancelling, point), ""});
    }
    std::string total = "Total: " + Points(points, point) + " de " + Points(maximum, point) + " pontos";
    if (minimum)
        total += " (mínimo " + Points(*minimum, point) + ")";
    out.push_back({total, eliminated() ? "eliminado" : ""});
    if (pointsWithoutGuesses)
        out.push_back(
            {"Sem os chutes: " + Points(*pointsWithoutGuesses, point) + " de " + Points(maximum, point) + " pontos",
             ""});
    if (const auto margin = cutoffMargin())
        out.push_back({CutoffText(*margin, *cutoff, point), ""});
    return out;
}

} // namespace zelvora::mockexam
