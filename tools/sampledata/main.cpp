// Writes the sample data folder ("dados") that Zelvora starts on:
//   zelvora-sampledata <folder>
#include "SampleFolderWriter.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <data folder>\n", argv[0]);
        return 2;
    }
    // Runs during the build, without a display; a fixed time zone keeps the
    // PDF time stamps (made fixed afterwards) the same length everywhere.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TZ", "UTC");
    tzset();
    QGuiApplication app(argc, argv);
    QElapsedTimer timer;
    timer.start();
    try {
        zelvora::sampledata::SampleFolderWriter::Write(QString::fromLocal8Bit(argv[1]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zelvora-sampledata: %s\n", e.what());
        return 1;
    }
    std::printf("sample data folder written to %s in %lld ms\n", argv[1], static_cast<long long>(timer.elapsed()));
    return 0;
}
