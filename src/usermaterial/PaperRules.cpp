#include "usermaterial/PaperRules.h"

#include "mockexam/ExamScore.h"
#include "mockexam/QuestionRanges.h"
#include "text/Windows1252.h"

namespace zelvora::usermaterial {

namespace {

bool Blank(const std::string& s)
{
    return s.find_first_not_of(" \t") == std::string::npos;
}

std::string Number(double v)
{
    return mockexam::ExamScore::FormatPoints(v, ",");
}

} // namespace

mockexam::PaperInfoReading PaperRules::toInfo() const
{
    std::vector<std::string> lines;
    std::vector<mockexam::InfoProblem> nameProblems;
    lines.push_back("duracao=" + (Blank(duration) ? std::string("sem limite") : duration));
    lines.push_back(rightWrong ? "tipo=certo-errado" : "tipo=multipla");
    lines.push_back(cancelling ? "pontuacao=anula" : "pontuacao=simples");
    if (!Blank(annulled))
        lines.push_back("anuladas=" + annulled);
    lines.push_back(annulledExcluded ? "anuladas_regra=exclui" : "anuladas_regra=todos");
    const auto group = [&](const char* key, const Group& g, bool block) {
        if (g.name.find_first_of(":;=\r\n") != std::string::npos)
            nameProblems.push_back({0, true,
                                    std::string(block ? "bloco" : "disciplina") + " \"" + g.name
                                        + "\": o nome não pode conter \":\", \";\" nem \"=\"."});
        std::string line = std::string(key) + "=" + g.name + ": " + g.questions;
        if (!Blank(g.weight))
            line += "; peso=" + g.weight;
        if (block && !Blank(g.minimum))
            line += "; minimo=" + g.minimum;
        lines.push_back(line);
    };
    for (const auto& b : blocks)
        group("bloco", b, true);
    for (const auto& s : subjects)
        group("disciplina", s, false);
    if (!Blank(minimum))
        lines.push_back("minimo=" + minimum);
    if (!Blank(cutoff))
        lines.push_back("corte=" + cutoff);
    for (auto& line : lines)
        line = text::Utf8ToCp1252(line);
    mockexam::PaperInfoReading r = mockexam::PaperInfoReader::Parse(lines);
    for (auto& p : r.problems)
        p.line = 0; // the dialog has fields, not lines
    r.problems.insert(r.problems.begin(), nameProblems.begin(), nameProblems.end());
    return r;
}

PaperRules PaperRules::FromInfo(const mockexam::PaperInfo& info)
{
    PaperRules r;
    if (info.durationSeconds)
        r.duration = mockexam::PaperInfoReader::DurationText(*info.durationSeconds);
    r.rightWrong = info.itemType == mockexam::ItemType::RightWrong;
    r.cancelling = info.scoring == mockexam::ScoringRule::Cancelling;
    r.annulled = mockexam::QuestionRanges::Text(mockexam::QuestionRanges::FromQuestions(info.annulled), size_t(-1));
    r.annulledExcluded = info.annulledRule == mockexam::AnnulledRule::Excluded;
    for (const auto& b : info.blocks)
        r.blocks.push_back({b.name, mockexam::QuestionRanges::Text(b.ranges, size_t(-1)), Number(b.weight),
                            b.minimum ? Number(*b.minimum) : std::string()});
    for (const auto& s : info.subjects)
        r.subjects.push_back(
            {s.name, mockexam::QuestionRanges::Text(s.ranges, size_t(-1)), s.weight ? Number(*s.weight) : "", ""});
    if (info.totalMinimum)
        r.minimum = Number(*info.totalMinimum);
    if (info.cutoff)
        r.cutoff = Number(*info.cutoff);
    return r;
}

} // namespace zelvora::usermaterial
