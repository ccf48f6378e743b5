#include "attempts/StoreFileHeader.h"

#include <fcntl.h>
#include <unistd.h>

namespace zelvora::attempts {

namespace {

constexpr size_t HeaderSize = 100;
constexpr char Magic[] = "SQLite format 3"; // with its NUL: 16 bytes

uint32_t BigEndian32(const std::string& b, size_t at)
{
    return (uint32_t(uint8_t(b[at])) << 24) | (uint32_t(uint8_t(b[at + 1])) << 16) | (uint32_t(uint8_t(b[at + 2])) << 8)
        | uint32_t(uint8_t(b[at + 3]));
}

} // namespace

std::optional<StoreFileHeader> StoreFileHeader::Parse(const std::string& bytes)
{
    if (bytes.size() < HeaderSize || bytes.compare(0, sizeof Magic, Magic, sizeof Magic) != 0)
        return std::nullopt;
    StoreFileHeader h;
    h.userVersion = int32_t(BigEndian32(bytes, 60));
    h.wal = bytes[18] == 2 && bytes[19] == 2;
    return h;
}

std::optional<StoreFileHeader> StoreFileHeader::Read(const std::string& path)
{
    // O_NONBLOCK: a FIFO in the file's place must not hang the start.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    std::string bytes(HeaderSize, '\0');
    size_t got = 0;
    while (got < HeaderSize) {
        const ssize_t n = ::read(fd, bytes.data() + got, HeaderSize - got);
        if (n <= 0)
            break;
        got += size_t(n);
    }
    ::close(fd);
    bytes.resize(got);
    return Parse(bytes);
}

} // namespace zelvora::attempts
