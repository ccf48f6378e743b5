// Start-up benchmark: the time from starting a process to its main window's
// first paint, for
//   - a bare Qt Widgets window with a table (bench_startup_bare),
//   - the program on the sample data folder beside it,
//   - the program on a copy of that folder whose catalog has 100,000 lines,
// run side by side, alternating, in one run. Each child prints the monotonic
// clock at its first paint (the program does so under
// ZELVORA_EXIT_AFTER_FIRST_PAINT); the clock read just before starting it is
// subtracted. Prints the median of each and the ratio program / bare window.
//
// Usage: bench_startup <zelvora> <bench_startup_bare> [rounds]
// Runs on the platform the environment names (QT_QPA_PLATFORM, DISPLAY), for
// example under xvfb-run, or with QT_QPA_PLATFORM=offscreen.
#include "../catalog/CatalogGenerator.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Milliseconds from the start of program to its first paint; -1 on failure.
double StartToPaint(const QString& program)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    const qint64 before = QDeadlineTimer::current().deadlineNSecs();
    child.start(program, {});
    if (!child.waitForFinished(60000)) {
        child.kill();
        child.waitForFinished();
        return -1;
    }
    const QByteArray out = child.readAllStandardOutput();
    const qsizetype at = out.indexOf("first-paint ");
    if (at < 0)
        return -1;
    const qint64 painted = out.mid(at + 12).trimmed().split('\n').value(0).toLongLong();
    return double(painted - before) / 1e6;
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
    // beside the large catalog.
    QTemporaryDir large;
    const QString largeProgram = large.filePath(QStringLiteral("zelvora"));
    if (!large.isValid() || !QFile::copy(zelvora, largeProgram)
        || !CopyFolder(sample, large.filePath(QStringLiteral("dados")))) {
        std::fprintf(stderr, "cannot prepare the large catalog in %s\n", qPrintable(large.path()));
        return 1;
    }
    {
        CatalogGenerator generator(20260101);
        const std::string text = generator.generate(100000, 5);
        QFile nomes(large.filePath(QStringLiteral("dados/nomes.txt")));
        if (!nomes.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || nomes.write(text.data(), qint64(text.size())) != qint64(text.size())) {
            std::fprintf(stderr, "cannot write the large catalog\n");
            return 1;
        }
    }
    qputenv("ZELVORA_EXIT_AFTER_FIRST_PAINT", "1");

    struct Case {
        const char* name;
        QString program;
        std::vector<double> ms;
    };
    std::vector<Case> cases{{"bare Qt window with a table", bare, {}},
                            {"zelvora, sample data", zelvora, {}},
                            {"zelvora, 100,000-line catalog", largeProgram, {}}};
    // One unmeasured round warms the file cache.
    for (Case& c : cases)
        StartToPaint(c.program);
    for (int r = 0; r < rounds; ++r) {
        for (Case& c : cases) {
            const double ms = StartToPaint(c.program);
            if (ms < 0) {
                std::fprintf(stderr, "%s: no first paint reported\n", c.name);
                return 1;
            }
            c.ms.push_back(ms);
        }
    }
    const double base = Median(cases[0].ms);
    std::printf("start to first paint, median of %d rounds (platform %s)\n", rounds,
                qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ? qgetenv("QT_QPA_PLATFORM").constData() : "default");
    for (const Case& c : cases)
        std::printf("  %-32s %8.1f ms   %.2f x bare\n", c.name, Median(c.ms), Median(c.ms) / base);
    return 0;
}
