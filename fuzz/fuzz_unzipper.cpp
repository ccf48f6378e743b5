// libFuzzer target: the whole reader on an arbitrary archive. The input is
// written to a scratch archive file, its directory read and every file
// extracted into a scratch folder, as the exam copy does. Besides the
// sanitizers' findings, it traps when anything lands outside the folder and
// when a finished extraction does not account for every file entry exactly
// once (written, or left out for one reason: encrypted, not created, CRC
// mismatch, damaged, overlapping another entry, method not decoded).
#include "zip/ArchiveExtraction.h"
#include "zip/TUnZipper.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Scratch {
    fs::path root;
    fs::path archive;
    fs::path dest;
    Scratch()
    {
        root = fs::temp_directory_path() / ("zelvora-fuzz-unzipper-" + std::to_string(getpid()));
        fs::create_directories(root);
        archive = root / "a.zip";
        dest = root / "out";
        // Output files stay small: a write past 8 MiB fails (EFBIG) instead
        // of filling the disk with what a tiny input can inflate to.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{8u << 20, 8u << 20};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~Scratch()
    {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    static Scratch scratch;
    {
        std::ofstream out(scratch.archive, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(size));
    }
    {
        zelvora::zip::TUnZipper unzipper;
        unzipper.OverwriteMode = zelvora::zip::TUZOverwriteMode::Always;
        const auto run = zelvora::zip::ExtractArchive(unzipper, scratch.archive.string(), scratch.dest.string());
        if (!run.failed && unzipper.Directory()) {
            unsigned files = 0;
            for (size_t i = 0; i < unzipper.Directory()->Count(); ++i)
                files += !(*unzipper.Directory())[i].IsDirectory();
            if (run.report.written + run.report.Total() != files)
                std::abort();
        }
    }
    // Only the archive and the destination folder, which holds files only.
    for (const auto& entry : fs::directory_iterator(scratch.root))
        if (entry.path() != scratch.archive && entry.path() != scratch.dest)
            std::abort();
    if (fs::exists(scratch.dest)) {
        for (const auto& entry : fs::directory_iterator(scratch.dest)) {
            if (entry.is_directory())
                std::abort();
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
        }
        fs::remove_all(scratch.dest);
    }
    return 0;
}
