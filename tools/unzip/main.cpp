// zelvora-unzip [-v] ARCHIVE DESTDIR
//
// Extracts every file of ARCHIVE flat into DESTDIR with the same component
// and settings as the program's exam copy. Message boxes are printed to
// stderr as "CAPTION: TEXT". On success the number of entries extracted goes
// to stdout and the exit code is 0; an error prints its message to stderr
// and exits with 1. With -v, a summary of the file entries that were left
// out (encrypted, not created, CRC mismatch, method not decoded) follows on
// stderr.
#include "app/InfoOptions.h"
#include "zip/TUnZipper.h"

#include <cstdio>
#include <exception>
#include <string_view>

using namespace zelvora::zip;

int main(int argc, char** argv)
{
    switch (zelvora::app::FindInfoOption(argc, argv)) {
    case zelvora::app::InfoOption::Help:
        std::fputs("usage: zelvora-unzip [-v] ARCHIVE DESTDIR\n"
                   "Extracts every file of the zip ARCHIVE flat into DESTDIR, created when\n"
                   "missing, as Zelvora's exam copy does; prints the number of entries\n"
                   "extracted. -v adds a summary of the file entries left out.\n"
                   "See zelvora-unzip(1).\n",
                   stdout);
        return 0;
    case zelvora::app::InfoOption::Version:
        std::puts(zelvora::app::VersionLine("zelvora-unzip").c_str());
        return 0;
    case zelvora::app::InfoOption::None:
        break;
    }
    const bool verbose = argc == 4 && std::string_view(argv[1]) == "-v";
    if (argc != 3 && !verbose) {
        std::fprintf(stderr, "usage: zelvora-unzip [-v] ARCHIVE DESTDIR\n");
        return 2;
    }
    const char* archive = argv[argc - 2];
    const char* destDir = argv[argc - 1];
    TUnZipperCallbacks callbacks;
    callbacks.messageBox = [](const std::string& text, const std::string& caption) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    };
    TUnZipper unzipper(callbacks);
    unzipper.OverwriteMode = TUZOverwriteMode::Always;
    try {
        unzipper.SetZipName(archive);
        unzipper.LoadDirectory();
        unzipper.DoAll = true;
        unzipper.SetDestDir(destDir);
        unzipper.RetainAttributes = true;
        const int count = unzipper.ExtractFiles();
        const TExtractReport& left = unzipper.Report();
        if (verbose && left.Total())
            std::fprintf(stderr,
                         "zelvora-unzip: %u file entries left out (encrypted %u, not created %u, "
                         "CRC mismatch %u, method not decoded %u)\n",
                         left.Total(), left.encrypted, left.notCreated, left.crcMismatch, left.methodNotDecoded);
        std::printf("%d\n", count);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
