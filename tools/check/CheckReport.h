#pragma once
// What the data folder checker found: the folder as the program would show
// it (every text already UTF-8) and the problems a user would meet.
#include <array>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace zelvora::check {

struct CheckProblem {
    // An error makes something fail for the user (a copy, an exam, a
    // window's picture); a warning is something the folder's keeper most
    // likely did not mean (a catalog line that shows nothing).
    bool error = true;
    std::string text; // Portuguese, UTF-8
    // A short name of the problem's kind (Portuguese, UTF-8).
    std::string kind;
    // Above 0 for the line that stands for that many more problems of the
    // same kind and weight, left out of the report (see ProblemLog).
    size_t omitted = 0;

    // "ERRO: ..." or "AVISO: ...".
    std::string line() const { return (error ? "ERRO: " : "AVISO: ") + text; }
    // How many problems this line stands for.
    size_t count() const { return omitted > 0 ? omitted : 1; }
};

struct CheckReport {
    // organisation, exam type, year, archive name; in the catalog's order.
    std::vector<std::array<std::string, 4>> catalog;
    // The three filter lists in their drop-down order.
    std::vector<std::string> organisations, examTypes, years;
    // Display name and PDF path as written in "lista.txt", in the paper
    // selector's order.
    std::vector<std::pair<std::string, std::string>> papers;
    std::vector<CheckProblem> problems;

    bool failed() const
    {
        for (const auto& p : problems)
            if (p.error)
                return true;
        return false;
    }
    // Every problem found, those left out included.
    size_t errorCount() const { return Count(true); }
    size_t warningCount() const { return Count(false); }

private:
    size_t Count(bool error) const
    {
        size_t n = 0;
        for (const auto& p : problems)
            if (p.error == error)
                n += p.count();
        return n;
    }
};

} // namespace zelvora::check
