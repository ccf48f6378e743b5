#pragma once
// Reads a paper's info file: beside the answer key, same name, extension
// ".ini" ("2008\prova01.pdf" has "2008\prova01.ini"). Windows-1252 text, one
// "chave=valor" per line; lines starting with ";" are comments, "[...]"
// section lines, empty lines and unknown keys are skipped. Keys and the
// words of values ignore letter case and accents ("duração" = "DURACAO").
//
//   duracao=3:00          the time limit: h:mm, minutes ("180"), "2h30",
//                         "90min", "4 horas e 30 minutos", or "sem limite"
//   tipo=multipla         options A to E (the default), or "certo-errado":
//                         right/wrong items whose key lines are "C" or "E"
//   anuladas=7, 31        annulled questions (also ranges: "7, 31-33");
//                         they count as right for everyone; repeatable
//   pontuacao=simples     the score is the hits (the default), or "anula":
//                         one wrong answer cancels one right one
//   disciplina=Língua Portuguesa: 1-10, 21-25; peso=2
//                         a subject, its questions and optionally the
//                         points each is worth; repeatable
//   bloco=Conhecimentos Básicos: 1-50; peso=1; minimo=10
//                         a block: questions, weight, the minimum points
//   anuladas_regra=todos  annulled questions right for everyone, or
//                         "exclui": out of the score and the maximum
//   minimo=36             the points the whole paper must reach
//   corte=61,5            last year's cut-off score (comma or point)
//
// A file of any size is read in time and memory linear in it: ranges are
// kept as written, never counted out; at most MaxSubjects subjects and
// MaxBlocks blocks are kept, a subject named again joins the first, and
// after MaxProblems problems the rest are only counted.
//
// The reader keeps every value it can read and lists the ones it cannot; a
// broken info file never stops a paper.
#include "mockexam/InfoProblem.h"
#include "mockexam/PaperInfo.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelvora::mockexam {

struct PaperInfoReading {
    PaperInfo info;
    std::vector<InfoProblem> problems;
};

class PaperInfoReader {
public:
    static constexpr size_t MaxSubjects = 200;
    static constexpr size_t MaxBlocks = 20;
    static constexpr size_t MaxProblems = 100;

    static PaperInfoReading Parse(const std::vector<std::string>& lines);
    // The file's bytes: split into lines; a NUL byte ends the text and is
    // reported with what it cuts off.
    static PaperInfoReading Read(std::string_view bytes);
    // Reads and parses the file at path; nothing when there is no such file
    // or it cannot be read.
    static std::optional<PaperInfoReading> Load(const std::string& path);
    // The file that Read turns back into info: Windows-1252, CR LF, the
    // comments first (UTF-8, each after "; "). Keys at their defaults are
    // left out, except "tipo" and "pontuacao".
    static std::string Write(const PaperInfo& info, const std::vector<std::string>& comments = {});

    // "61,5", "61.5" or "36": a number of points, never negative.
    static std::optional<double> ParseDecimal(std::string_view value);

    // A duration value in seconds. Nothing for text that is no duration;
    // 0 for "sem limite".
    static std::optional<int> ParseDuration(std::string_view value);
    // "7, 31-33" as inclusive ranges; text that is no number or range goes
    // to bad, one entry per item, as written.
    static std::vector<std::pair<int, int>> ParseRanges(std::string_view value,
                                                        std::vector<std::string>* bad = nullptr);

    // What the info file says that does not fit the paper's key: annulled
    // questions and subject or block ranges past the last question,
    // questions in two subjects or two blocks, and key lines that no answer of the paper's item type can
    // match (annulled questions excepted, whatever their line holds).
    static std::vector<InfoProblem> CheckAgainstKey(const PaperInfo& info, const std::vector<std::string>& key);

    // "3:00" for three hours, "0:45", "1:30:15" when seconds remain.
    static std::string DurationText(int seconds);
};

} // namespace zelvora::mockexam
