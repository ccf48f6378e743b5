#include "mockexam/ExamScore.h"

#include "mockexam/ExamAnswers.h"
#include "mockexam/QuestionRanges.h"

#include <charconv>
#include <cmath>

namespace zelvora::mockexam {

const char* StatusText(QuestionStatus status)
{
    switch (status) {
    case QuestionStatus::Right:
        return "certa";
    case QuestionStatus::Wrong:
        return "errada";
    case QuestionStatus::Blank:
        return "em branco";
    case QuestionStatus::Annulled:
        return "anulada";
    }
    return "";
}

std::string SubjectScore::text(const std::string& decimalPoint) const
{
    return name + ": " + std::to_string(right) + " de " + std::to_string(total) + " ("
        + ExamScore::FormatTwoDecimals(percentage(), decimalPoint) + "%)";
}

ExamScore ExamScore::Compute(const std::vector<std::string>& key, const std::vector<std::string>& answers,
                             long long seconds)
{
    return Compute(key, answers, seconds, PaperInfo{});
}

ExamScore ExamScore::Compute(const std::vector<std::string>& key, const std::vector<std::string>& answers,
                             long long seconds, const PaperInfo& info)
{
    ExamScore s;
    s.total = int(key.size());
    s.seconds = seconds;
    s.rule = info.scoring;
    s.statuses.reserve(key.size());
    const std::string notAnswered = ExamAnswers::NotAnswered;
    // Taken out: an annulled question is then neither right nor wrong.
    const bool excluded = info.annulledRule == AnnulledRule::Excluded;
    for (size_t i = 0; i < key.size(); ++i) {
        const int number = int(i + 1);
        // A question missing from the answers counts as not answered.
        const std::string& a = i < answers.size() ? answers[i] : notAnswered;
        const bool given = a != notAnswered;
        if (given)
            ++s.answered;
        QuestionStatus status;
        if (info.isAnnulled(number)) {
            status = QuestionStatus::Annulled;
            ++s.annulled;
        } else if (key[i] == a) {
            status = QuestionStatus::Right;
        } else {
            status = given ? QuestionStatus::Wrong : QuestionStatus::Blank;
        }
        s.statuses.push_back(status);
        if (status == QuestionStatus::Right || (status == QuestionStatus::Annulled && !excluded)) {
            ++s.hits;
            s.right.push_back(number);
        } else if (status != QuestionStatus::Annulled) {
            if (status == QuestionStatus::Wrong)
                ++s.wrongAnswered;
            s.wrong.push_back(number);
        }
    }
    for (const SubjectRange& subject : info.subjects) {
        SubjectScore score{subject.name, 0, 0};
        for (const auto& [first, last] : QuestionRanges::Within(subject.ranges, s.total))
            for (int q = first; q <= last; ++q) {
                const QuestionStatus st = s.statuses[size_t(q - 1)];
                if (st == QuestionStatus::Annulled && excluded)
                    continue;
                ++score.total;
                if (st == QuestionStatus::Right || st == QuestionStatus::Annulled)
                    ++score.right;
            }
        s.subjects.push_back(std::move(score));
    }
    return s;
}

std::string ExamScore::netText() const
{
    return std::to_string(net()) + " (" + std::to_string(hits) + (hits == 1 ? " certa" : " certas") + " - "
        + std::to_string(wrongAnswered) + (wrongAnswered == 1 ? " errada" : " erradas") + ")";
}

double ExamScore::percentage() const
{
    return total > 0 ? double(hits) / double(total) * 100.0 : 0.0;
}

double ExamScore::rate() const
{
    return seconds > 0 ? double(answered) / double(seconds) : 0.0;
}

std::string ExamScore::hitsText() const
{
    return std::to_string(hits) + " de " + std::to_string(total);
}

std::string ExamScore::timeText() const
{
    return std::to_string(seconds) + " segundos";
}

std::string ExamScore::percentageText(const std::string& decimalPoint) const
{
    return FormatTwoDecimals(percentage(), decimalPoint) + "%";
}

std::string ExamScore::rateText(const std::string& decimalPoint) const
{
    return FormatTwoDecimals(rate(), decimalPoint);
}

std::string ExamScore::rightText() const
{
    return JoinNumbers(right);
}

std::string ExamScore::wrongText() const
{
    return JoinNumbers(wrong);
}

std::string ExamScore::FormatTwoDecimals(double value, const std::string& decimalPoint)
{
    if (!std::isfinite(value))
        value = 0.0;
    const bool negative = value < 0;
    // The shortest decimal form that reads back as the same double; rounding
    // that text (not the binary value) gives the result a person expects:
    // 0.125 becomes 0.13.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed);
    std::string digits(buf, res.ptr);
    const auto dot = digits.find('.');
    std::string whole = dot == std::string::npos ? digits : digits.substr(0, dot);
    std::string frac = dot == std::string::npos ? std::string() : digits.substr(dot + 1);
    frac.resize(std::max<size_t>(frac.size(), 3), '0');
    const bool roundUp = frac[2] >= '5';
    std::string kept = whole + frac.substr(0, 2);
    if (roundUp) {
        size_t i = kept.size();
        while (i > 0) {
            --i;
            if (kept[i] == '9') {
                kept[i] = '0';
            } else {
                ++kept[i];
                break;
            }
            if (i == 0)
                kept.insert(kept.begin(), '1');
        }
    }
    std::string out = kept.substr(0, kept.size() - 2) + decimalPoint + kept.substr(kept.size() - 2);
    if (negative && out.find_first_not_of("0" + decimalPoint) != std::string::npos)
        out.insert(out.begin(), '-');
    if (out.size() < 2)
        out.insert(out.begin(), 2 - out.size(), ' ');
    return out;
}

std::string ExamScore::FormatPoints(double value, const std::string& decimalPoint)
{
    std::string out = FormatTwoDecimals(value, decimalPoint);
    out.erase(0, out.find_first_not_of(' '));
    const auto point = out.rfind(decimalPoint);
    if (point != std::string::npos) {
        while (out.back() == '0')
            out.pop_back();
        if (out.size() == point + decimalPoint.size())
            out.erase(point);
    }
    return out;
}

std::string ExamScore::JoinNumbers(const std::vector<int>& numbers)
{
    std::string out;
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (i)
            out += ", ";
        out += std::to_string(numbers[i]);
    }
    return out;
}

} // namespace zelvora::mockexam
