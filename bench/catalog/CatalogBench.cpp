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
#include <unistd.h>

namespace {

double BestMs(int runs, const std::function<void()>& fn)
{
    double best = 1e300;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        fn();
        const auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    return best;
}

double TimeCommand(int runs, const std::string& command)
{
    int status = 0;
    const double ms = BestMs(runs, [&] { status = std::system(command.c_str()); });
    if (status != 0) {
        std::fprintf(stderr, "command failed: %s\n", command.c_str());
        return -1;
    }
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    const size_t lineCount = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;

    const auto folder = std::filesystem::temp_directory_path()
                        / ("zelvora-bench-catalog-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "nomes.txt").string();

    CatalogGenerator generator(20240601);
    const std::string bytes = generator.generate(lineCount, 5);
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));

    zelvora::text::PtBrCollation collation;
    size_t entries = 0, organisations = 0, types = 0, years = 0;
    const double loadMs = BestMs(runs, [&] {
        const auto catalog = zelvora::catalog::Catalog::Load(path, collation);
        entries = catalog.size();
        organisations = catalog.organisations().size();
        types = catalog.examTypes().size();
        years = catalog.years().size();
    });
    const double readMs = BestMs(runs, [&] { (void)zelvora::text::ReadTextList(path); });
    const auto lines = *zelvora::text::ReadTextList(path);
    const std::vector<std::string_view> views(lines.begin(), lines.end());
    std::vector<bool> equal;
    const double orderMs = BestMs(runs, [&] { (void)collation.stableOrder(views, &equal); });

    const double sortC = TimeCommand(runs, "LC_ALL=C sort -f '" + path + "' > /dev/null");
    const double sortC1 = TimeCommand(runs, "LC_ALL=C sort -f --parallel=1 '" + path + "' > /dev/null");
    const double sortUtf8 = TimeCommand(runs, "LC_ALL=C.UTF-8 sort -f '" + path + "' > /dev/null");

    std::printf("file: %zu lines, %zu bytes, %zu distinct; catalog: %zu entries, "
                "%zu organisations, %zu exam types, %zu years\n",
                lineCount, bytes.size(), generator.distinctLines(), entries, organisations,
                types, years);
    std::printf("| measurement | best of %d (ms) |\n|---|---:|\n", runs);
    std::printf("| Catalog::Load, PtBrCollation | %.1f |\n", loadMs);
    std::printf("| of which reading and splitting lines | %.1f |\n", readMs);
    std::printf("| of which ordering the lines (sort keys, stable sort) | %.1f |\n", orderMs);
    std::printf("| LC_ALL=C sort -f | %.1f |\n", sortC);
    std::printf("| LC_ALL=C sort -f --parallel=1 | %.1f |\n", sortC1);
    std::printf("| LC_ALL=C.UTF-8 sort -f | %.1f |\n", sortUtf8);
    if (sortC > 0)
        std::printf("ratio Catalog::Load / LC_ALL=C sort -f: %.2f\n", loadMs / sortC);
    if (sortC1 > 0)
        std::printf("ratio Catalog::Load / LC_ALL=C sort -f --parallel=1: %.2f\n", loadMs / sortC1);

    if (!std::getenv("ZELVORA_BENCH_KEEP")) std::filesystem::remove_all(folder); else std::printf("kept %s\n", path.c_str());
    return entries == generator.distinctLines() ? 0 : 1;
}
