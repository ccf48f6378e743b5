#include "zip/ZipPlatform.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvora::zip::platform {

int OpenForReading(const std::string& path, std::string& error)
{
    // Non-blocking, so that a pipe of that name cannot make the open wait
    // for a writer; only regular files are archives.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = "Cannot open file \"" + path + "\". " + std::strerror(errno);
        return -1;
    }
    struct stat st {};
    const bool statted = ::fstat(fd, &st) == 0;
    if (!statted || !S_ISREG(st.st_mode)) {
        const int why = !statted ? errno : S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        error = "Cannot open file \"" + path + "\". " + std::strerror(why);
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

size_t ReadAt(int fd, void* buffer, size_t n, uint64_t offset)
{
    size_t done = 0;
    auto* p = static_cast<char*>(buffer);
    while (done < n) {
        ssize_t r = ::pread(fd, p + done, n - done, static_cast<off_t>(offset + done));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        done += static_cast<size_t>(r);
    }
    return done;
}

size_t WriteAt(int fd, const void* buffer, size_t n, uint64_t offset, std::string* error)
{
    size_t done = 0;
    auto* p = static_cast<const char*>(buffer);
    while (done < n) {
        ssize_t r = ::pwrite(fd, p + done, n - done, static_cast<off_t>(offset + done));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0) {
            // A write that takes nothing without an error means no room.
            if (error)
                *error = std::strerror(r < 0 ? errno : ENOSPC);
            break;
        }
        done += static_cast<size_t>(r);
    }
    return done;
}

uint64_t SizeOf(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size < 0)
        return 0;
    return static_cast<uint64_t>(st.st_size);
}

void CloseHandle(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

bool LastWriteTime(const std::string& path, int64_t& nanoseconds)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    nanoseconds = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

bool FileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateDirectories(const std::string& path, std::string* error)
{
    auto fail = [error](int why) {
        if (error)
            *error = std::strerror(why);
        return false;
    };
    if (path.empty())
        return fail(ENOENT);
    if (DirectoryExists(path))
        return true;
    // Create each missing parent from the top down.
    for (size_t pos = 1; pos <= path.size(); ++pos) {
        if (pos == path.size() || path[pos] == '/') {
            std::string part = path.substr(0, pos);
            if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST)
                return fail(errno);
        }
    }
    return DirectoryExists(path) || fail(ENOTDIR);
}

int OpenDirectory(const std::string& path)
{
    return ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

int CreateFileIn(int dirFd, const std::string& name)
{
    if (dirFd < 0 || name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos
        || name.find('\0') != std::string::npos)
        return -1;
    struct stat st {};
    if (::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(st.st_mode)) {
            // A link is replaced, never written through.
            if (::unlinkat(dirFd, name.c_str(), 0) != 0)
                return -1;
        } else if (S_ISREG(st.st_mode)) {
            // A file with no write permission bit is read-only for everyone,
            // root included.
            if ((st.st_mode & 0222) == 0)
                return -1;
            // Removed rather than truncated, so that a hard link to a file
            // elsewhere is never written into.
            if (::unlinkat(dirFd, name.c_str(), 0) != 0)
                return -1;
        } else {
            return -1; // a folder, a pipe, a device
        }
    } else if (errno != ENOENT) {
        return -1;
    }
    int fd = ::openat(dirFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    return fd;
}

void DeleteFileIn(int dirFd, const std::string& name)
{
    if (dirFd >= 0 && !name.empty())
        ::unlinkat(dirFd, name.c_str(), 0);
}

int64_t DosDateTimeToUnix(uint32_t dosDateTime)
{
    const unsigned time = dosDateTime & 0xFFFF;
    const unsigned date = dosDateTime >> 16;
    std::tm tm{};
    tm.tm_sec = static_cast<int>((time & 31) * 2);
    tm.tm_min = static_cast<int>((time >> 5) & 63);
    tm.tm_hour = static_cast<int>(time >> 11);
    tm.tm_mday = static_cast<int>(date & 31);
    tm.tm_mon = static_cast<int>((date >> 5) & 15) - 1;
    tm.tm_year = static_cast<int>((date >> 9) + 80);
    tm.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&tm));
}

void SetDosTime(int fd, uint32_t dosDateTime)
{
    struct timespec times[2]{};
    times[0].tv_sec = static_cast<time_t>(DosDateTimeToUnix(dosDateTime));
    times[1] = times[0];
    ::futimens(fd, times);
}

unsigned FileModeFor(uint16_t versionMadeBy, uint32_t externalAttributes, unsigned currentMode)
{
    unsigned mode = currentMode & 0777;
    const unsigned unixMode = externalAttributes >> 16;
    if ((versionMadeBy >> 8) == 3 && (unixMode & 0170000) == 0100000)
        mode = (unixMode & 0777) | 0400;
    if (externalAttributes & 0x01)
        mode &= ~0222u;
    return mode;
}

void SetAttributes(int fd, uint16_t versionMadeBy, uint32_t externalAttributes)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return;
    ::fchmod(fd, FileModeFor(versionMadeBy, externalAttributes, st.st_mode));
}

} // namespace zelvora::zip::platform
