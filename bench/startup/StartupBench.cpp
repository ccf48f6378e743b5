// Start-up benchmark: the time from starting a process to its main window's
// first paint, for
//   - a bare Qt Widgets window with a table (bench_startup_bare),
//   - the program on the sample data folder beside it,
//   - the program on a copy of that folder whose catalog has 100,000 lines
//     (about 118 bytes each),
//   - the same with 1,000,000 shorter lines (about 55 bytes: a million of
//     the longer ones would pass the catalog's size cap),
// run side by side, alternating, in one run. Each child prints the monotonic
// clock at its first paint (the program does so under
// ZELVORA_EXIT_AFTER_FIRST_PAINT); the clock read just before starting it is
// subtracted. Prints the median of each, the ratio program / bare window and
// the largest peak resident memory of its runs, beside the catalog's size.
//
// Usage: bench_startup <zelvora> <bench_startup_bare> [rounds]
// Runs on the platform the environment names (QT_QPA_PLATFORM, DISPLAY), for
// example under xvfb-run, or with QT_QPA_PLATFORM=offscreen.
#include "../catalog/CatalogGenerator.h"
#include "../catalog/CompactCatalog.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

namespace {

struct Start {
    double ms = -1; // from the start of the program to its first paint; -1 on failure
    long peakKb = 0; // the child's peak resident memory
};

// Runs program (its standard output read back through a pipe) and waits for
// it, with its resource use.
Start StartToPaint(const QString& program)
{
    Start result;
    const QByteArray path = QFile::encodeName(program);
    int out[2];
    if (pipe(out) != 0)
        return result;
    const qint64 before = QDeadlineTimer::current().deadlineNSecs();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        close(out[0]);
        close(out[1]);
        execl(path.constData(), path.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    QByteArray output;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) != 0;)
        if (n > 0)
            output.append(buffer, n);
        else if (errno != EINTR)
            break;
    close(out[0]);
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status))
        return result;
    const qsizetype at = output.indexOf("first-paint ");
    if (at < 0)
        return result;
    const qint64 painted = output.mid(at + 12).trimmed().split('\n').value(0).toLongLong();
    result.ms = double(painted - before) / 1e6;
    result.peakKb = usage.ru_maxrss;
    return result;
}

bool WriteCatalog(const QString& path, const std::string& text)
{
    QFile nomes(path);
    return nomes.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && nomes.write(text.data(), qint64(text.size())) == qint64(text.size());
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

bool CopyFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + path.mid(from.size());
        if (it.fileInfo().isDir()) {
            QDir().mkpath(target);
        } else if (!QFile::copy(path, target)) {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_startup <zelvora> <bench_startup_bare> [rounds]\n");
        return 2;
    }
    const QString zelvora = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const QString bare = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath();
    const int rounds = argc > 3 ? std::max(1, atoi(argv[3])) : 9;
    const QString sample = QFileInfo(zelvora).absolutePath() + QStringLiteral("/dados");
    if (!QFileInfo(sample + QStringLiteral("/nomes.txt")).isFile()) {
        std::fprintf(stderr, "no sample data folder beside %s (build the sampledata target)\n", qPrintable(zelvora));
        return 2;
    }

    // The program reads the "dados" folder beside itself: a copy of it sits
    // beside each large catalog.
    QTemporaryDir large;
    const auto prepare = [&](const QString& name, const std::string& catalog) {
        const QString folder = large.filePath(name);
        QDir().mkpath(folder);
        if (!QFile::copy(zelvora, folder + QStringLiteral("/zelvora"))
            || !CopyFolder(sample, folder + QStringLiteral("/dados"))
            || !WriteCatalog(folder + QStringLiteral("/dados/nomes.txt"), catalog))
            return QString();
        return folder + QStringLiteral("/zelvora");
    };
    // The catalogs are let go before any run: a child made by fork counts
    // the memory of this process at the fork in its peak.
    size_t bytes100k = 0, bytes1m = 0;
    QString program100k, program1m;
    {
        CatalogGenerator generator(20260101);
        std::string text = generator.generate(100000, 5);
        bytes100k = text.size();
        program100k = prepare(QStringLiteral("100k"), text);
        text = CompactCatalog(1000000, 20260101);
        bytes1m = text.size();
        program1m = prepare(QStringLiteral("1m"), text);
    }
    if (!large.isValid() || program100k.isEmpty() || program1m.isEmpty()) {
        std::fprintf(stderr, "cannot prepare the large catalogs in %s\n", qPrintable(large.path()));
        return 1;
    }
    qputenv("ZELVORA_EXIT_AFTER_FIRST_PAINT", "1");

    struct Case {
        const char* name;
        QString program;
        size_t catalogBytes;
        std::vector<double> ms;
        long peakKb = 0;
    };
    const qint64 sampleCatalog = QFileInfo(sample + QStringLiteral("/nomes.txt")).size();
    std::vector<Case> cases{{"bare Qt window with a table", bare, 0, {}},
                            {"zelvora, sample data", zelvora, size_t(sampleCatalog), {}},
                            {"zelvora, 100,000-line catalog", program100k, bytes100k, {}},
                            {"zelvora, 1,000,000-line catalog", program1m, bytes1m, {}}};
    // One unmeasured round warms the file cache.
    for (Case& c : cases)
        StartToPaint(c.program);
    for (int r = 0; r < rounds; ++r) {
        for (Case& c : cases) {
            const Start s = StartToPaint(c.program);
            if (s.ms < 0) {
                std::fprintf(stderr, "%s: no first paint reported\n", c.name);
                return 1;
            }
            c.ms.push_back(s.ms);
            c.peakKb = std::max(c.peakKb, s.peakKb);
        }
    }
    const double base = Median(cases[0].ms);
    std::printf("start to first paint, median of %d rounds (platform %s); peak resident memory\n", rounds,
                qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ? qgetenv("QT_QPA_PLATFORM").constData() : "default");
    for (const Case& c : cases)
        std::printf("  %-34s %8.1f ms   %5.2f x bare   peak %6.1f MB   catalog %6.1f MB\n", c.name, Median(c.ms),
                    Median(c.ms) / base, double(c.peakKb) / 1024, double(c.catalogBytes) / 1e6);
    return 0;
}
