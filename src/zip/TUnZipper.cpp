#include "zip/TUnZipper.h"

#include "zip/ArchiveInputBlocks.h"
#include "zip/DosDateTime.h"
#include "zip/EntryDecoder.h"
#include "zip/EntryName.h"
#include "zip/EZipBusy.h"
#include "zip/FileOutputBlocks.h"
#include "zip/ZipErrors.h"
#include "zip/ZipPlatform.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

namespace zelvora::zip {

namespace {

constexpr uint32_t kLocalSignature = 0x04034B50;
constexpr uint32_t kCentralSignature = 0x02014B50;
constexpr uint32_t kEndSignature = 0x06054B50;
constexpr uint32_t kZip64EndSignature = 0x06064B50;
constexpr uint32_t kZip64LocatorSignature = 0x07064B50;
constexpr size_t kEndRecordSize = 22;
constexpr size_t kEndSearchSize = 65535 + kEndRecordSize;
constexpr uint64_t kExeRecoveryStart = 14000;
constexpr uint64_t kScanBytesPerMessages = 10240;

uint16_t Le16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t Le32(const uint8_t* p)
{
    return Le16(p) | (static_cast<uint32_t>(Le16(p + 2)) << 16);
}
uint64_t Le64(const uint8_t* p)
{
    return Le32(p) | (static_cast<uint64_t>(Le32(p + 4)) << 32);
}

uint64_t SaturatingAdd(uint64_t a, uint64_t b)
{
    return a > std::numeric_limits<uint64_t>::max() - b ? std::numeric_limits<uint64_t>::max() : a + b;
}

// Where the extension of the last path component starts, or npos.
size_t ExtensionStart(const std::string& path)
{
    size_t dot = path.find_last_of('.');
    size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string::npos;
    return dot;
}

bool HasExeExtension(const std::string& path)
{
    size_t dot = ExtensionStart(path);
    if (dot == std::string::npos)
        return false;
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    return ext == ".EXE";
}

std::string SidecarPath(const std::string& path)
{
    size_t dot = ExtensionStart(path);
    return (dot == std::string::npos ? path : path.substr(0, dot)) + ".zfc";
}

// Replaces the 0xFFFF / 0xFFFFFFFF fields of an entry by the values of its
// ZIP64 extra field (id 1), which holds only those fields, in this order.
void ApplyZip64Extra(TZipHeaderInfo& e, const uint8_t* extra, size_t length, bool central)
{
    size_t at = 0;
    while (at + 4 <= length) {
        const uint16_t id = Le16(extra + at);
        const size_t size = Le16(extra + at + 2);
        const uint8_t* data = extra + at + 4;
        const size_t avail = std::min(size, length - at - 4);
        if (id == 0x0001) {
            size_t p = 0;
            auto take64 = [&](uint64_t& field) {
                if (field == 0xFFFFFFFF && p + 8 <= avail) {
                    field = Le64(data + p);
                    p += 8;
                }
            };
            take64(e.uncompressedSize);
            take64(e.compressedSize);
            if (central) {
                take64(e.localHeaderOffset);
                if (e.diskNumberStart == 0xFFFF && p + 4 <= avail)
                    e.diskNumberStart = Le32(data + p);
            }
            return;
        }
        at += 4 + size;
    }
}

// Closes a folder handle when it goes out of scope.
struct FolderHandle {
    int fd = -1;
    ~FolderHandle() { platform::CloseHandle(fd); }
};

} // namespace

// The work buffers of one extraction: an input block and an output block
// (with a little room, as the decoders of the older methods expect), and
// the one-call Deflate decoder's memory.
struct TUnZipper::WorkBuffers {
    std::vector<uint8_t> inBlock = std::vector<uint8_t>(32780);
    std::vector<uint8_t> outBlock = std::vector<uint8_t>(32769);
    InflateWorkspace inflate;
};

class TUnZipper::Working {
public:
    explicit Working(TUnZipper& z) : z_(z)
    {
        if (z_.working_)
            throw EZipBusy();
        ++z_.working_;
    }
    ~Working() { --z_.working_; }

private:
    TUnZipper& z_;
};

TUnZipper::TUnZipper(TUnZipperCallbacks callbacks) : callbacks_(std::move(callbacks))
{
}

TUnZipper::~TUnZipper() = default;

TUnZipperCallbacks TUnZipper::Callbacks() const
{
    TUnZipperCallbacks cb = callbacks_;
    if (!DoProcessMessages)
        cb.processMessages = nullptr;
    return cb;
}

void TUnZipper::SetZipName(const std::string& path)
{
    if (path == zipName_)
        return;
    Working working(*this);
    Forget();
    zipName_ = path;
}

void TUnZipper::SetDestDir(const std::string& path)
{
    destDir_ = path;
    if (destDir_.size() > 1 && destDir_.back() == '/')
        destDir_.pop_back();
}

void TUnZipper::Forget()
{
    CloseArchive();
    entries_.reset();
    end_ = TEndCentral{};
    recordedTime_ = 0;
    recovered_ = false;
}

void TUnZipper::LoadDirectory()
{
    Working working(*this);
    const TUnZipperCallbacks cb = Callbacks();
    if (cb.waitCursor)
        cb.waitCursor(true);
    try {
        EnsureDirectory();
    } catch (const EIncompleteZip&) {
        if (cb.waitCursor)
            cb.waitCursor(false);
        CloseArchive();
        return;
    } catch (...) {
        Forget();
        zipName_.clear();
        if (cb.waitCursor)
            cb.waitCursor(false);
        throw;
    }
    if (!KeepZipOpen)
        CloseArchive();
    if (cb.waitCursor)
        cb.waitCursor(false);
}

void TUnZipper::EnsureDirectory()
{
    if (!archive_)
        archive_ = TLFNFileStream::OpenRead(zipName_);
    if (!entries_) {
        ReadDirectory();
        return;
    }
    int64_t now = 0;
    if (!platform::LastWriteTime(zipName_, now) || now != recordedTime_)
        ReadDirectory();
}

void TUnZipper::ReadDirectory()
{
    recordedTime_ = 0;
    platform::LastWriteTime(zipName_, recordedTime_);
    entries_.reset();

    TLFNFileStream* directory = archive_.get();
    std::unique_ptr<TLFNFileStream> sidecar;
    bool found = FindEndRecord(*archive_);
    if (!found) {
        const std::string path = SidecarPath(zipName_);
        if (platform::FileExists(path)) {
            std::string ignored;
            sidecar = TLFNFileStream::TryOpenRead(path, ignored);
            if (sidecar && FindEndRecord(*sidecar))
                found = true, directory = sidecar.get();
            else
                sidecar.reset();
        }
    }
    if (!found)
        throw EIncompleteZip();
    // A disk of a multi-disk set: the rest of the set is not here.
    if (end_.numberOfThisDisk != 0 || end_.centralDirectoryDisk != 0)
        throw EIncompleteZip();
    if (end_.totalEntries > 0)
        directory->Seek(sidecar ? 0 : end_.centralDirectoryOffset);
    entries_ = std::make_unique<TSortedZip>();
    ReadCentralHeaders(*directory);
}

bool TUnZipper::FindEndRecord(TLFNFileStream& stream)
{
    const uint64_t size = stream.Size();
    if (size == 0) {
        end_ = TEndCentral{}; // an empty file is an archive with no entries
        return true;
    }
    if (size < kEndRecordSize)
        return false;
    const size_t n = static_cast<size_t>(std::min<uint64_t>(kEndSearchSize, size));
    std::vector<uint8_t> tail(n);
    const uint64_t tailStart = size - n;
    stream.Seek(tailStart);
    if (stream.Read(tail.data(), n) < n)
        return false;
    for (size_t at = n - kEndRecordSize + 1; at-- > 0;) {
        const uint8_t* p = tail.data() + at;
        if (Le32(p) != kEndSignature)
            continue;
        end_ = TEndCentral{};
        end_.numberOfThisDisk = Le16(p + 4);
        end_.centralDirectoryDisk = Le16(p + 6);
        end_.entriesOnThisDisk = Le16(p + 8);
        end_.totalEntries = Le16(p + 10);
        end_.centralDirectorySize = Le32(p + 12);
        end_.centralDirectoryOffset = Le32(p + 16);
        end_.commentLength = Le16(p + 20);
        end_.commentPosition = tailStart + at + kEndRecordSize;
        if (tailStart + at >= 20)
            ReadZip64EndRecord(stream, tailStart + at);
        return true;
    }
    return false;
}

void TUnZipper::ReadZip64EndRecord(TLFNFileStream& stream, uint64_t endRecordOffset)
{
    // The ZIP64 locator stands just before the end record and points at the
    // ZIP64 end record, whose 64-bit values replace the 16/32-bit ones.
    uint8_t locator[20];
    stream.Seek(endRecordOffset - 20);
    if (stream.Read(locator, 20) < 20 || Le32(locator) != kZip64LocatorSignature)
        return;
    uint8_t record[56];
    stream.Seek(Le64(locator + 8));
    if (stream.Read(record, 56) < 56 || Le32(record) != kZip64EndSignature)
        return;
    end_.numberOfThisDisk = Le32(record + 16);
    end_.centralDirectoryDisk = Le32(record + 20);
    end_.entriesOnThisDisk = Le64(record + 24);
    end_.totalEntries = Le64(record + 32);
    end_.centralDirectorySize = Le64(record + 40);
    end_.centralDirectoryOffset = Le64(record + 48);
}

std::unique_ptr<TZipHeaderInfo> TUnZipper::ReadCentralHeader(TLFNFileStream& stream)
{
    const uint64_t start = stream.Position();
    uint8_t h[46];
    if (stream.Read(h, 46) < 46 || Le32(h) != kCentralSignature) {
        stream.Seek(start);
        return nullptr;
    }
    const uint16_t nameLength = Le16(h + 28);
    const uint16_t extraLength = Le16(h + 30);
    const uint16_t commentLength = Le16(h + 32);
    std::string raw(nameLength, '\0');
    if (stream.Read(raw.data(), nameLength) < nameLength) {
        stream.Seek(start);
        return nullptr;
    }
    std::vector<uint8_t> extra(extraLength);
    const size_t extraRead = stream.Read(extra.data(), extraLength);
    stream.Seek(start + 46 + nameLength + extraLength + commentLength);

    auto e = std::make_unique<TZipHeaderInfo>();
    e->versionMadeBy = Le16(h + 4);
    e->versionNeeded = Le16(h + 6);
    e->flags = Le16(h + 8);
    e->method = Le16(h + 10);
    e->dateTime = ClampDosDateTime(Le32(h + 12));
    e->crc = Le32(h + 16);
    e->compressedSize = Le32(h + 20);
    e->uncompressedSize = Le32(h + 24);
    e->centralExtraLength = extraLength;
    e->commentLength = commentLength;
    e->diskNumberStart = Le16(h + 34);
    e->internalAttributes = Le16(h + 36);
    e->externalAttributes = Le32(h + 38);
    e->localHeaderOffset = Le32(h + 42);
    e->centralHeaderOffset = start;
    ApplyZip64Extra(*e, extra.data(), extraRead, true);
    SplitStoredName(StoredName(std::move(raw), e->versionMadeBy, e->flags, false), e->directory, e->fileName);
    e->fileNameLength = static_cast<uint16_t>(e->directory.size() + e->fileName.size());
    return e;
}

void TUnZipper::FailBadZip()
{
    Forget();
    zipName_.clear();
    throw EBadZipFile();
}

void TUnZipper::ReadCentralHeaders(TLFNFileStream& stream)
{
    TLFNFileStream* source = &stream;
    uint64_t total = end_.totalEntries;
    bool merge = false; // reading over a directory found by recovery
    TZipHeaderInfo* previous = nullptr;
    for (uint64_t i = 0; i < total;) {
        auto header = ReadCentralHeader(*source);
        if (merge) {
            if (!header)
                break;
            if (TZipHeaderInfo* known = entries_->Find(header->diskNumberStart, header->localHeaderOffset)) {
                const uint64_t localOffset = known->localHeaderOffset;
                *known = *header;
                known->localHeaderOffset = localOffset;
            }
            ++i;
            continue;
        }
        if (!header && previous && previous->centralExtraLength > 0) {
            // Some writers declare a central extra field that they never
            // wrote: read the next header from where that field would begin.
            source->Seek(source->Position() - previous->centralExtraLength);
            previous->centralExtraLength = 0;
            header = ReadCentralHeader(*source);
        }
        // A header that cannot be read, or a second one for the same local
        // header, sends the reader to the local headers.
        TZipHeaderInfo* added = header ? entries_->TryAdd(header) : nullptr;
        if (added)
            previous = added;
        else {
            if (recovered_ || !RecoverFromLocalHeaders(*archive_))
                FailBadZip();
            source = archive_.get();
            merge = true;
            previous = nullptr;
            total = end_.totalEntries;
            i = 0;
            continue;
        }
        ++i;
    }
}

bool TUnZipper::RecoverFromLocalHeaders(TLFNFileStream& stream)
{
    recovered_ = true;
    entries_.reset();
    const TUnZipperCallbacks cb = Callbacks();

    // Find the first local header: "PK\3\4" and a version whose high byte
    // is below 10.
    stream.Seek(HasExeExtension(zipName_) ? kExeRecoveryStart : 0);
    uint8_t window[6] = {};
    uint64_t seen = 0;
    uint64_t sinceMessages = 0;
    for (;;) {
        uint8_t byte;
        if (!stream.ReadByte(byte))
            return false;
        std::memmove(window, window + 1, 5);
        window[5] = byte;
        if (++seen >= 6 && window[0] == 'P' && window[1] == 'K' && window[2] == 3 && window[3] == 4 && window[5] < 10)
            break;
        if (++sinceMessages == kScanBytesPerMessages) {
            sinceMessages = 0;
            if (cb.processMessages)
                cb.processMessages();
        }
    }
    stream.Seek(stream.Position() - 6);

    entries_ = std::make_unique<TSortedZip>();
    for (;;) {
        const uint64_t start = stream.Position();
        uint8_t h[30];
        if (stream.Read(h, 30) < 30 || Le32(h) != kLocalSignature) {
            stream.Seek(start);
            break;
        }
        const uint16_t nameLength = Le16(h + 26);
        const uint16_t extraLength = Le16(h + 28);
        std::string raw(nameLength, '\0');
        if (stream.Read(raw.data(), nameLength) < nameLength) {
            stream.Seek(start);
            break;
        }
        std::vector<uint8_t> extra(extraLength);
        const size_t extraRead = stream.Read(extra.data(), extraLength);

        auto e = std::make_unique<TZipHeaderInfo>();
        e->versionNeeded = Le16(h + 4);
        e->flags = Le16(h + 6);
        e->method = Le16(h + 8);
        e->dateTime = ClampDosDateTime(Le32(h + 10));
        e->crc = Le32(h + 14);
        e->compressedSize = Le32(h + 18);
        e->uncompressedSize = Le32(h + 22);
        e->localExtraLength = extraLength;
        e->localHeaderOffset = start;
        ApplyZip64Extra(*e, extra.data(), extraRead, false);
        SplitStoredName(StoredName(std::move(raw), 0, e->flags, true), e->directory, e->fileName);
        e->fileNameLength = static_cast<uint16_t>(e->directory.size() + e->fileName.size());
        uint64_t next = SaturatingAdd(start + 30 + nameLength + extraLength, e->compressedSize);
        if (e->HasDataDescriptor())
            next = SaturatingAdd(next, 16);
        entries_->Add(std::move(e));
        stream.Seek(next);
    }
    end_.numberOfThisDisk = 0;
    end_.totalEntries = entries_->Count();
    end_.centralDirectoryOffset = stream.Position();
    return true;
}

int TUnZipper::ExtractFiles()
{
    if (working_)
        throw EZipBusy(); // before the report of the running extraction is touched
    report_ = TExtractReport{};
    LoadDirectory();
    Working working(*this);
    EnsureDirectory();
    const TUnZipperCallbacks cb = Callbacks();

    const bool keepOpen = KeepZipOpen;
    KeepZipOpen = true;
    struct Restore {
        TUnZipper& z;
        bool keepOpen;
        ~Restore()
        {
            z.FilesList.clear();
            z.KeepZipOpen = keepOpen;
        }
    } restore{*this, keepOpen};
    WorkBuffers work;

    std::string folderError;
    if (!destDir_.empty() && !platform::DirectoryExists(destDir_))
        platform::CreateDirectories(destDir_, &folderError);
    // An empty destination means the current folder, never the root.
    const std::string folder = destDir_.empty() ? std::string(".") : destDir_;

    uint64_t totalBytes = 0;
    size_t selected = 0;
    for (size_t i = 0; i < entries_->Count(); ++i) {
        TZipHeaderInfo& e = (*entries_)[i];
        e.selected = !e.IsDirectory();
        if (e.selected) {
            ++selected;
            totalBytes += e.uncompressedSize;
        }
    }
    (void)totalBytes;

    int count = 0;
    if (selected) {
        // Files are to be written: a destination that is not there ends the
        // extraction before anything else happens.
        FolderHandle dir{platform::OpenDirectory(folder)};
        if (dir.fd < 0)
            throw ECantCreateFolder(folder, folderError.empty() ? std::strerror(errno) : folderError);
        const std::vector<EntryPlace> places = PlaceEntries();
        for (size_t i = 0; i < entries_->Count(); ++i)
            if (ExtractEntry((*entries_)[i], places[i], dir.fd, work, cb))
                ++count;
    }
    if (!keepOpen)
        CloseArchive();
    return count;
}

std::vector<TUnZipper::EntryPlace> TUnZipper::PlaceEntries()
{
    // Where each file entry's data start (after its local header, name and
    // extra field) and whether its bytes, local header to end of data, stay
    // inside the archive.
    const uint64_t archiveSize = archive_->Size();
    std::vector<EntryPlace> places(entries_->Count());
    struct Span {
        uint64_t start;
        uint64_t end;
        size_t index;
    };
    std::vector<Span> spans;
    spans.reserve(places.size());
    for (size_t i = 0; i < places.size(); ++i) {
        const TZipHeaderInfo& e = (*entries_)[i];
        if (e.IsDirectory())
            continue;
        EntryPlace& place = places[i];
        uint8_t local[30];
        archive_->Seek(e.localHeaderOffset);
        if (e.localHeaderOffset < archiveSize && archive_->Read(local, 30) == 30)
            place.dataStart = e.localHeaderOffset + 30 + Le16(local + 26) + Le16(local + 28);
        else
            place.dataStart = archiveSize; // no local header: the data are missing
        const uint64_t end = SaturatingAdd(place.dataStart, e.compressedSize);
        if (e.localHeaderOffset >= archiveSize || end > archiveSize)
            place.pastEnd = true;
        else
            spans.push_back({e.localHeaderOffset, end, i});
    }

    // Entries whose bytes overlap another entry's: a small archive that
    // quotes the same compressed data many times would otherwise write
    // far more than it holds. Sorted by start, an entry overlaps an earlier
    // one when it starts before the furthest end so far, and a later one
    // when it ends after the nearest start after it.
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.start < b.start; });
    uint64_t furthestEnd = 0;
    for (const Span& span : spans) {
        if (span.start < furthestEnd)
            places[span.index].overlapping = true;
        furthestEnd = std::max(furthestEnd, span.end);
    }
    uint64_t nearestStart = std::numeric_limits<uint64_t>::max();
    for (auto it = spans.rbegin(); it != spans.rend(); ++it) {
        if (it->end > nearestStart)
            places[it->index].overlapping = true;
        nearestStart = std::min(nearestStart, it->start);
    }
    return places;
}

bool TUnZipper::ExtractEntry(TZipHeaderInfo& entry, const EntryPlace& place, int dirFd, WorkBuffers& work,
                             const TUnZipperCallbacks& callbacks)
{
    if (entry.IsDirectory())
        return true;
    if (entry.IsEncrypted()) {
        ++report_.encrypted;
        return false;
    }
    // Nothing of an entry that cannot be whole, or that shares its bytes
    // with another one, is written.
    if (place.pastEnd) {
        ++report_.damaged;
        return false;
    }
    if (place.overlapping) {
        ++report_.overlapping;
        return false;
    }

    // Every file lands directly in the destination folder.
    const std::string name = FileNameForDisk(entry);
    const int fd = platform::CreateFileIn(dirFd, name);
    if (fd < 0) {
        ++report_.notCreated;
        return false;
    }
    auto file = std::make_unique<TLFNFileStream>(fd);
    archive_->Seek(place.dataStart);
    ArchiveInputBlocks in(*archive_, entry.compressedSize, work.inBlock.data(), callbacks);
    FileOutputBlocks out(*file, entry.uncompressedSize);
    DecodeStatus status = DecodeEntry(entry, in, out, work.outBlock.data(), callbacks, &work.inflate);
    if (status != DecodeStatus::WriteFailed && !file->Flush())
        status = DecodeStatus::WriteFailed;

    if (status == DecodeStatus::WriteFailed) {
        // A full disk fails every entry after this one as well: stop here,
        // without leaving the partial file behind.
        const std::string reason = file->WriteError();
        file.reset();
        platform::DeleteFileIn(dirFd, name);
        throw ECantWriteUCF("\"" + name + "\". " + reason);
    }
    if (status == DecodeStatus::TruncatedInput) {
        // The archive ended inside the data (it shrank since the directory
        // was read): what was written is not the entry.
        file.reset();
        platform::DeleteFileIn(dirFd, name);
        ++report_.damaged;
        return false;
    }
    if (status != DecodeStatus::TooLong) {
        platform::SetDosTime(fd, ClampDosDateTime(entry.dateTime));
        if (RetainAttributes)
            platform::SetAttributes(fd, entry.versionMadeBy, entry.externalAttributes);
    }
    file.reset();
    if (out.Crc() == entry.crc) {
        ++report_.written;
        return true;
    }
    platform::DeleteFileIn(dirFd, name);
    if (status == DecodeStatus::UnknownMethod)
        ++report_.methodNotDecoded;
    else if (status == DecodeStatus::Success)
        ++report_.crcMismatch;
    else
        ++report_.damaged; // bad data, longer than declared, no memory to decode
    return false;
}

} // namespace zelvora::zip
