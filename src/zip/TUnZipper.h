#pragma once
// The zip extraction component: reads an archive's directory and writes
// every file of the archive flat into one destination folder.
//
// Typical use: set ZipName, LoadDirectory(), set DestDir, ExtractFiles().
// Errors are exceptions (ZipErrors.h) or the file-open error of the platform.
#include "zip/TEndCentral.h"
#include "zip/TExtractReport.h"
#include "zip/TLFNFileStream.h"
#include "zip/TSortedZip.h"
#include "zip/TUnZipperCallbacks.h"
#include "zip/ZipSettings.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zelvora::zip {

class TUnZipper {
public:
    explicit TUnZipper(TUnZipperCallbacks callbacks = {});
    ~TUnZipper();
    TUnZipper(const TUnZipper&) = delete;
    TUnZipper& operator=(const TUnZipper&) = delete;

    // A different path (compared exactly) forgets everything about the
    // previous archive; the same path keeps the cached directory. Raises
    // EZipBusy when called from a callback while the component works.
    void SetZipName(const std::string& path);
    const std::string& ZipName() const { return zipName_; }
    // One trailing "/" is removed.
    void SetDestDir(const std::string& path);
    const std::string& DestDir() const { return destDir_; }

    // Settings. Only these values have behaviour: DoAll true, OverwriteMode
    // Always, RetainAttributes true, RecreateDirs false, ReplaceReadOnly
    // false, KeepZipOpen false, IncompleteZipMode izAssumeMulti, SortMode
    // ByNone, FlushFilesOnClose false, FilesList empty.
    bool DoAll = false;
    TUZOverwriteMode OverwriteMode = TUZOverwriteMode::Prompt;
    bool RetainAttributes = true;
    bool RecreateDirs = false;
    bool ReplaceReadOnly = false;
    bool KeepZipOpen = false;
    bool DoProcessMessages = true;
    TIncompleteZipMode IncompleteZipMode = TIncompleteZipMode::izAssumeMulti;
    TZipSortMode SortMode = TZipSortMode::ByNone;
    bool FlushFilesOnClose = false;
    std::vector<std::string> FilesList;

    // Reads the archive's directory. An archive without end record is passed
    // over here (no entry list; ExtractFiles raises EIncompleteZip); any
    // other failure forgets the directory, clears ZipName and is raised.
    void LoadDirectory();
    // Extracts every file entry into DestDir; returns the number of entries
    // extracted (directory entries included when there is a file entry).
    // File entries that cannot be written whole are left out and counted in
    // Report(); nothing of an entry whose bytes overlap another entry's or
    // run past the end of the archive is written. Raises ECantCreateFolder
    // when files are to be written and DestDir cannot be had, and
    // ECantWriteUCF when a file takes fewer bytes than given (a full disk):
    // that file is deleted and the extraction ends there.
    int ExtractFiles();

    // The entry list, or nullptr when no directory is held.
    const TSortedZip* Directory() const { return entries_.get(); }
    // File entries the last ExtractFiles wrote, and those it left out, by reason.
    const TExtractReport& Report() const { return report_; }
    // Set while the directory came from the local-header recovery.
    bool Recovered() const { return recovered_; }
    bool ArchiveOpen() const { return archive_ != nullptr; }

private:
    // Pending window messages run in the middle of LoadDirectory and
    // ExtractFiles; a handler that calls the component again then gets
    // EZipBusy instead of pulling the archive away from under the work.
    class Working;
    TUnZipperCallbacks Callbacks() const;
    void Forget();
    void CloseArchive() { archive_.reset(); }
    void EnsureDirectory();
    void ReadDirectory();
    bool FindEndRecord(TLFNFileStream& stream);
    void ReadZip64EndRecord(TLFNFileStream& stream, uint64_t endRecordOffset);
    void ReadCentralHeaders(TLFNFileStream& stream);
    std::unique_ptr<TZipHeaderInfo> ReadCentralHeader(TLFNFileStream& stream);
    bool RecoverFromLocalHeaders(TLFNFileStream& stream);
    [[noreturn]] void FailBadZip();
    struct WorkBuffers;
    // Where a file entry's data start, and why it cannot be written whole.
    struct EntryPlace {
        uint64_t dataStart = 0;
        bool pastEnd = false; // its bytes run past the end of the archive
        bool overlapping = false; // its bytes overlap another entry's
    };
    // One place per entry of the list, in list order (directory entries
    // get an empty one).
    std::vector<EntryPlace> PlaceEntries();
    bool ExtractEntry(TZipHeaderInfo& entry, const EntryPlace& place, int dirFd, WorkBuffers& work,
                      const TUnZipperCallbacks& callbacks);

    TUnZipperCallbacks callbacks_;
    std::string zipName_;
    std::string destDir_;
    std::unique_ptr<TLFNFileStream> archive_;
    std::unique_ptr<TSortedZip> entries_;
    TEndCentral end_;
    int64_t recordedTime_ = 0;
    bool recovered_ = false;
    int working_ = 0;
    TExtractReport report_;
};

} // namespace zelvora::zip
