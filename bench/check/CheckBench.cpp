// Data folder checker benchmark: zelvora-check on generated data folders,
//   - a mock-exam list of N lines: a tenth without "#", a tenth naming PDFs
//     that are not there, the rest naming the sample folder's papers again
//     and again (as a list pasted together from many copies would);
//   - a catalog of N lines (about 55 bytes each, accents included) naming
//     archives that are not there, a twentieth repeating another line in
//     another letter case;
// for N = 100,000 and 1,000,000. Prints wall and CPU time (best of the runs)
// and the peak resident memory of each run of the checker, and, when a second
// checker is given, the same for it on the 100,000-line folders and the ratio.
//
// Usage: bench_check <zelvora-check> [other-zelvora-check] [runs]
// The sample data folder ("dados" beside the checker) gives the papers.
#include "../catalog/CompactCatalog.h"

#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Run {
    double wallMs = 0;
    double cpuMs = 0;
    long peakKb = 0;
};

// Runs checker on folder, its output thrown away; nothing on failure to run.
bool RunChecker(const std::string& checker, const std::string& folder, Run& out)
{
    const auto start = std::chrono::steady_clock::now();
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        execl(checker.c_str(), checker.c_str(), folder.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) > 1)
        return false;
    out.wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    out.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    out.peakKb = usage.ru_maxrss;
    return true;
}

bool WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(f);
}

// A folder with an empty catalog and the sample papers, whose list has lines.
std::string ListText(size_t lines, const std::vector<std::string>& papers)
{
    std::string text;
    for (size_t i = 0; i < lines; ++i) {
        const std::string n = std::to_string(i);
        if (i % 10 == 0)
            text += "Prova sem separador " + n;
        else if (i % 10 == 1)
            text += "Prova que falta " + n + "#falta\\prova" + n + ".pdf";
        else
            text += "Simulado n\xba " + n + " - Funda\xe7\xe3o#" + papers[i % papers.size()];
        text += "\r\n";
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_check <zelvora-check> [other-zelvora-check] [runs]\n");
        return 2;
    }
    std::vector<std::string> checkers{fs::absolute(argv[1]).string()};
    int runs = 3;
    for (int i = 2; i < argc; ++i) {
        if (std::atoi(argv[i]) > 0)
            runs = std::atoi(argv[i]);
        else
            checkers.push_back(fs::absolute(argv[i]).string());
    }
    const fs::path sample = fs::path(checkers[0]).parent_path() / "dados";
    std::vector<std::string> papers;
    {
        std::ifstream list(sample / "simu" / "lista.txt", std::ios::binary);
        for (std::string line; std::getline(list, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (const auto hash = line.find('#'); hash != std::string::npos)
                papers.push_back(line.substr(hash + 1));
        }
    }
    if (papers.empty()) {
        std::fprintf(stderr, "no sample data folder beside %s (build the sampledata target)\n", checkers[0].c_str());
        return 2;
    }

    char templ[] = "/tmp/bench-check-XXXXXX";
    if (!mkdtemp(templ))
        return 1;
    const fs::path root = templ;
    std::printf("zelvora-check, best of %d runs (wall ms, CPU ms, peak resident MB)\n", runs);
    for (const size_t lines : {size_t(100000), size_t(1000000)}) {
        for (const bool list : {true, false}) {
            const fs::path folder = root / (std::string(list ? "list" : "catalog") + std::to_string(lines));
            std::error_code ec;
            fs::create_directories(folder / "simu", ec);
            if (list) {
                fs::copy(sample / "simu", folder / "simu",
                         fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
                WriteFile(folder / "simu" / "lista.txt", ListText(lines, papers));
                WriteFile(folder / "nomes.txt", "");
            } else {
                WriteFile(folder / "nomes.txt", CompactCatalog(lines, 20261209));
                WriteFile(folder / "simu" / "lista.txt", "");
            }
            const auto size = fs::file_size(folder / (list ? "simu/lista.txt" : "nomes.txt"), ec);
            std::vector<Run> best(checkers.size());
            // The other checker (an older build, say) only on the smaller
            // folders: it may take an hour on the larger ones.
            const size_t compared = lines <= 100000 ? checkers.size() : 1;
            for (size_t c = 0; c < compared; ++c) {
                for (int r = 0; r < runs; ++r) {
                    Run run;
                    if (!RunChecker(checkers[c], folder.string(), run)) {
                        std::fprintf(stderr, "%s failed on %s\n", checkers[c].c_str(), folder.c_str());
                        return 1;
                    }
                    if (r == 0 || run.wallMs < best[c].wallMs)
                        best[c] = {run.wallMs, best[c].cpuMs, best[c].peakKb};
                    if (r == 0 || run.cpuMs < best[c].cpuMs)
                        best[c].cpuMs = run.cpuMs;
                    best[c].peakKb = std::max(best[c].peakKb, run.peakKb);
                }
                std::printf("  %-8s %8zu lines (%5.1f MB)  %-40s %10.0f %10.0f %8.0f\n", list ? "list" : "catalog",
                            lines, double(size) / 1e6, fs::path(checkers[c]).parent_path().parent_path().c_str(),
                            best[c].wallMs, best[c].cpuMs, double(best[c].peakKb) / 1024);
            }
            if (compared > 1)
                std::printf("    ratio CPU %s / %s: %.2f\n", checkers[1].c_str(), checkers[0].c_str(),
                            best[1].cpuMs / best[0].cpuMs);
            fs::remove_all(folder, ec);
        }
    }
    fs::remove_all(root);
    return 0;
}
