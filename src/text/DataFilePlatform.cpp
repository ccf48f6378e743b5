#include "text/DataFilePlatform.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvora::text::platform {

namespace {

DataFileStatus FromErrno(int error)
{
    // A missing file, a dangling link, a path through something that is not
    // a folder: all count as no file.
    if (error == ENOENT || error == ENOTDIR || error == ELOOP || error == ENAMETOOLONG)
        return DataFileStatus::Missing;
    return DataFileStatus::Unreadable;
}

DataFileStatus FromStat(const struct stat& st, uint64_t& size)
{
    if (!S_ISREG(st.st_mode))
        return DataFileStatus::NotAFile;
    size = st.st_size > 0 ? uint64_t(st.st_size) : 0;
    return DataFileStatus::Ok;
}

} // namespace

DataFileStatus StatDataFile(const std::string& path, uint64_t& size)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return FromErrno(errno);
    return FromStat(st, size);
}

int OpenDataFile(const std::string& path, uint64_t& size, DataFileStatus& status)
{
    // Looking first means a device is never opened at all (opening some has
    // side effects); the check on the open handle below catches a file that
    // was swapped in between.
    status = StatDataFile(path, size);
    if (status != DataFileStatus::Ok)
        return -1;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        status = FromErrno(errno);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        status = DataFileStatus::Unreadable;
        ::close(fd);
        return -1;
    }
    status = FromStat(st, size);
    if (status != DataFileStatus::Ok) {
        ::close(fd);
        return -1;
    }
    return fd;
}

long long ReadDataFile(int handle, void* buffer, size_t n)
{
    for (;;) {
        const ssize_t got = ::read(handle, buffer, n);
        if (got < 0 && errno == EINTR)
            continue;
        return got;
    }
}

void CloseDataFile(int handle)
{
    if (handle >= 0)
        ::close(handle);
}

} // namespace zelvora::text::platform
