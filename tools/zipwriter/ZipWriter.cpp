#include "zipwriter/ZipWriter.h"

#include <zlib.h>

#include <cstdio>
#include <limits>
#include <stdexcept>

namespace zelvora::zipwriter {

namespace {

constexpr uint32_t LocalHeaderSignature = 0x04034b50;
constexpr uint32_t CentralHeaderSignature = 0x02014b50;
constexpr uint32_t EndRecordSignature = 0x06054b50;
constexpr uint16_t FlagUtf8Name = 1u << 11;

void put16(std::string& out, uint32_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void put32(std::string& out, uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

uint32_t checked32(std::size_t value, const char* what)
{
    if (value > std::numeric_limits<uint32_t>::max())
        throw std::runtime_error(std::string("zip writer: ") + what + " needs Zip64");
    return static_cast<uint32_t>(value);
}

uint16_t checked16(std::size_t value, const char* what)
{
    if (value > std::numeric_limits<uint16_t>::max())
        throw std::runtime_error(std::string("zip writer: ") + what + " too long");
    return static_cast<uint16_t>(value);
}

} // namespace

uint32_t ZipWriter::Crc32(std::string_view data)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    const auto* bytes = reinterpret_cast<const Bytef*>(data.data());
    std::size_t left = data.size();
    while (left > 0) {
        const uInt chunk = left > (1u << 30) ? (1u << 30) : static_cast<uInt>(left);
        crc = crc32(crc, bytes, chunk);
        bytes += chunk;
        left -= chunk;
    }
    return static_cast<uint32_t>(crc);
}

std::string ZipWriter::Deflate(std::string_view data)
{
    z_stream stream{};
    // Negative window bits: raw deflate, as zip entries hold it.
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("zip writer: deflateInit2 failed");
    std::string out;
    out.resize(deflateBound(&stream, static_cast<uLong>(data.size())));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&stream, Z_FINISH);
    const std::size_t produced = stream.total_out;
    deflateEnd(&stream);
    if (rc != Z_STREAM_END)
        throw std::runtime_error("zip writer: deflate failed");
    out.resize(produced);
    return out;
}

void ZipWriter::add(Entry entry)
{
    m_entries.push_back(std::move(entry));
}

void ZipWriter::addFile(std::string name, std::string data, Method method)
{
    Entry entry;
    entry.name = std::move(name);
    entry.data = std::move(data);
    entry.method = method;
    add(std::move(entry));
}

void ZipWriter::addFolder(std::string name)
{
    if (name.empty() || name.back() != '/')
        name.push_back('/');
    Entry entry;
    entry.name = std::move(name);
    entry.method = Method::Stored;
    entry.externalAttributes = 0x10;
    add(std::move(entry));
}

std::string ZipWriter::finish(std::string_view archiveComment) const
{
    std::string archive;
    std::string central;
    for (const Entry& entry : m_entries) {
        const std::string packed = entry.method == Method::Deflated ? Deflate(entry.data) : std::string(entry.data);
        const uint32_t crc = Crc32(entry.data);
        const uint16_t needed = entry.method == Method::Deflated || entry.name.ends_with('/') ? 20 : 10;
        const uint16_t madeBy = static_cast<uint16_t>((static_cast<uint16_t>(entry.host) << 8) | 20);
        const uint16_t flags = entry.utf8Name ? FlagUtf8Name : 0;
        const uint32_t localOffset = checked32(archive.size(), "archive size");
        const uint32_t packedSize = checked32(packed.size(), "entry size");
        const uint32_t plainSize = checked32(entry.data.size(), "entry size");
        const uint16_t nameLength = checked16(entry.name.size(), "entry name");
        const uint16_t commentLength = checked16(entry.comment.size(), "entry comment");

        put32(archive, LocalHeaderSignature);
        put16(archive, needed);
        put16(archive, flags);
        put16(archive, static_cast<uint16_t>(entry.method));
        put16(archive, entry.dosTime);
        put16(archive, entry.dosDate);
        put32(archive, crc);
        put32(archive, packedSize);
        put32(archive, plainSize);
        put16(archive, nameLength);
        put16(archive, 0); // extra field length
        archive += entry.name;
        archive += packed;

        put32(central, CentralHeaderSignature);
        put16(central, madeBy);
        put16(central, needed);
        put16(central, flags);
        put16(central, static_cast<uint16_t>(entry.method));
        put16(central, entry.dosTime);
        put16(central, entry.dosDate);
        put32(central, crc);
        put32(central, packedSize);
        put32(central, plainSize);
        put16(central, nameLength);
        put16(central, 0); // extra field length
        put16(central, commentLength);
        put16(central, 0); // disk number start
        put16(central, 0); // internal attributes
        put32(central, entry.externalAttributes);
        put32(central, localOffset);
        central += entry.name;
        central += entry.comment;
    }
    const uint32_t centralOffset = checked32(archive.size(), "archive size");
    const uint32_t centralSize = checked32(central.size(), "central directory size");
    const uint16_t count = checked16(m_entries.size(), "entry count");
    archive += central;
    put32(archive, EndRecordSignature);
    put16(archive, 0); // number of this disk
    put16(archive, 0); // disk with the central directory
    put16(archive, count);
    put16(archive, count);
    put32(archive, centralSize);
    put32(archive, centralOffset);
    put16(archive, checked16(archiveComment.size(), "archive comment"));
    archive += archiveComment;
    return archive;
}

bool ZipWriter::writeTo(const std::string& path, std::string_view archiveComment) const
{
    const std::string bytes = finish(archiveComment);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace zelvora::zipwriter
