// Times loading a generated 100,000-line catalog with the program's collation
// and compares it with GNU sort -f on the same file.
//
//   bench_catalog [lines] [runs]
//
// Prints one table row per measurement (best of the runs, in milliseconds) and
// the ratio of the catalog load to "LC_ALL=C sort -f".
#include "CatalogGenerator.h"

#include "catalog/Catalog.h"
#include "text/PtBrCollation.h"
#include "text/TextList.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// Wall-clock and CPU milliseconds, each the best of the runs. The CPU time
// (this process and the commands it waited for) is steadier than the wall
// clock on a shared, busy machine.
struct Timing {
    double wall = 1e300;
    double cpu = 1e300;
};

double CpuMs()
{
    rusage self{}, children{};
    getrusage(RUSAGE_SELF, &self);
    getrusage(RUSAGE_CHILDREN, &children);
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(self.ru_utime) + ms(self.ru_stime) + ms(children.ru_utime) + ms(children.ru_stime);
}

Timing Best(int runs, const std::function<void()>& fn)
{
    Timing best;
    for (int r = 0; r < runs; ++r) {
        const double c0 = CpuMs();
        const auto t0 = std::chrono::steady_clock::now();
        fn();
        const auto t1 = std::chrono::steady_clock::now();
        best.cpu = std::min(best.cpu, CpuMs() - c0);
        best.wall = std::min(best.wall, std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    return best;
}

Timing TimeCommand(int runs, const std::string& command)
{
    int status = 0;
    const Timing t = Best(runs, [&] { status = std::system(command.c_str()); });
    if (status != 0) {
        std::fprintf(stderr, "command failed: %s\n", command.c_str());
        return {-1, -1};
    }
    return t;
}

void Row(const char* what, const Timing& t)
{
    std::printf("| %s | %.1f | %.1f |\n", what, t.wall, t.cpu);
}

} // namespace

int main(int argc, char** argv)
{
    const size_t lineCount = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;

    const auto folder = std::filesystem::temp_directory_path() / ("zelvora-bench-catalog-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "nomes.txt").string();

    CatalogGenerator generator(20240601);
    const std::string bytes = generator.generate(lineCount, 5);
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));

    zelvora::text::PtBrCollation collation;
    size_t entries = 0, organisations = 0, types = 0, years = 0;
    const Timing load = Best(runs, [&] {
        const auto catalog = zelvora::catalog::Catalog::Load(path, collation);
        entries = catalog.size();
        organisations = catalog.organisations().size();
        types = catalog.examTypes().size();
        years = catalog.years().size();
    });
    const Timing read = Best(runs, [&] { (void)zelvora::text::ReadTextList(path); });
    const auto lines = *zelvora::text::ReadTextList(path);
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    std::vector<bool> equal;
    const Timing order = Best(runs, [&] { (void)collation.stableOrder(views, &equal); });

    const Timing sortC = TimeCommand(runs, "LC_ALL=C sort -f '" + path + "' > /dev/null");
    const Timing sortC1 = TimeCommand(runs, "LC_ALL=C sort -f --parallel=1 '" + path + "' > /dev/null");
    const Timing sortUtf8 = TimeCommand(runs, "LC_ALL=C.UTF-8 sort -f '" + path + "' > /dev/null");

    std::printf("file: %zu lines, %zu bytes, %zu distinct; catalog: %zu entries, "
                "%zu organisations, %zu exam types, %zu years\n",
                lineCount, bytes.size(), generator.distinctLines(), entries, organisations, types, years);
    std::printf("| measurement (best of %d) | wall ms | CPU ms |\n|---|---:|---:|\n", runs);
    Row("Catalog::Load with PtBrCollation", load);
    Row("of which reading and splitting the lines", read);
    Row("of which ordering the lines (sort keys, stable sort)", order);
    Row("LC_ALL=C sort -f", sortC);
    Row("LC_ALL=C sort -f --parallel=1", sortC1);
    Row("LC_ALL=C.UTF-8 sort -f", sortUtf8);
    if (sortC.wall > 0 && sortC1.wall > 0)
        std::printf("ratio Catalog::Load / LC_ALL=C sort -f: wall %.2f, CPU %.2f; "
                    "against --parallel=1: wall %.2f, CPU %.2f\n",
                    load.wall / sortC.wall, load.cpu / sortC.cpu, load.wall / sortC1.wall, load.cpu / sortC1.cpu);

    if (!std::getenv("ZELVORA_BENCH_KEEP"))
        std::filesystem::remove_all(folder);
    else
        std::printf("kept %s\n", path.c_str());
    return entries == generator.distinctLines() ? 0 : 1;
}
