// zelvora-unzip [-v] ARCHIVE DESTDIR
//
// Extracts every file of ARCHIVE flat into DESTDIR with the same component,
// settings and sequence of calls as the program's exam copy. Message boxes
// are printed to stderr as "CAPTION: TEXT".
//
// Exit status and output:
//   0  every file entry was written; stdout: the number of file entries
//      written (folders are not counted);
//   2  the run ended, but some file entries were left out; stdout: the
//      number written; stderr: one line counting them by reason;
//   1  a fatal error (the archive cannot be read, DESTDIR cannot be
//      created, a file cannot be written, wrong arguments); stderr: its
//      message.
// -v prints the left-out line also when nothing was left out.
#include "zip/ArchiveExtraction.h"
#include "zip/TUnZipper.h"

#include <cstdio>
#include <string_view>

using namespace zelvora::zip;

namespace {

void PrintLeftOut(const TExtractReport& left)
{
    std::fprintf(stderr,
                 "zelvora-unzip: %u file entries left out (encrypted %u, not created %u, CRC mismatch %u, "
                 "damaged %u, overlapping %u, method not decoded %u)\n",
                 left.Total(), left.encrypted, left.notCreated, left.crcMismatch, left.damaged, left.overlapping,
                 left.methodNotDecoded);
}

} // namespace

int main(int argc, char** argv)
{
    const bool verbose = argc == 4 && std::string_view(argv[1]) == "-v";
    if (argc != 3 && !verbose) {
        std::fprintf(stderr, "usage: zelvora-unzip [-v] ARCHIVE DESTDIR\n");
        return 1;
    }
    TUnZipperCallbacks callbacks;
    callbacks.messageBox = [](const std::string& text, const std::string& caption) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    };
    TUnZipper unzipper(callbacks);
    unzipper.OverwriteMode = TUZOverwriteMode::Always;
    const ArchiveExtraction run = ExtractArchive(unzipper, argv[argc - 2], argv[argc - 1]);
    if (run.failed) {
        std::fprintf(stderr, "%s\n", run.error.c_str());
        return 1;
    }
    if (verbose || run.report.Total())
        PrintLeftOut(run.report);
    std::printf("%u\n", run.report.written);
    return run.report.Total() ? 2 : 0;
}
