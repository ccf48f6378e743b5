#include "text/DataFile.h"

#include "text/DataFilePlatform.h"

namespace zelvora::text {

DataFileStatus DataFile::Probe(const std::string& path, uint64_t cap)
{
    uint64_t size = 0;
    const DataFileStatus status = platform::StatDataFile(path, size);
    if (status == DataFileStatus::Ok && size > cap)
        return DataFileStatus::TooLarge;
    return status;
}

std::optional<std::string> DataFile::Read(const std::string& path, uint64_t cap, DataFileStatus* status)
{
    DataFileStatus why = DataFileStatus::Ok;
    const auto fail = [&](DataFileStatus reason) -> std::optional<std::string> {
        if (status)
            *status = reason;
        return std::nullopt;
    };

    uint64_t size = 0;
    const int fd = platform::OpenDataFile(path, size, why);
    if (fd < 0)
        return fail(why);
    if (size > cap) {
        platform::CloseDataFile(fd);
        return fail(DataFileStatus::TooLarge);
    }

    // The size is only a hint: the file may grow while it is read (or be a
    // file whose size says 0), so the cap is kept on what is actually read.
    std::string data;
    data.reserve(size_t(size));
    char buffer[65536];
    for (;;) {
        // One byte more than the cap allows tells "too large".
        const uint64_t left = cap - data.size();
        const size_t want = left < sizeof buffer ? size_t(left) + 1 : sizeof buffer;
        const long long got = platform::ReadDataFile(fd, buffer, want);
        if (got < 0) {
            platform::CloseDataFile(fd);
            return fail(DataFileStatus::Unreadable);
        }
        if (got == 0)
            break;
        data.append(buffer, size_t(got));
        if (data.size() > cap) {
            platform::CloseDataFile(fd);
            return fail(DataFileStatus::TooLarge);
        }
    }
    platform::CloseDataFile(fd);
    if (status)
        *status = DataFileStatus::Ok;
    return data;
}

} // namespace zelvora::text
