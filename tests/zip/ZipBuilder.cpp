#include "ZipBuilder.h"

#include <zlib.h>

#include <stdexcept>

namespace zelvora::zip::test {

void Put16(std::string& out, uint16_t v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

void Put32(std::string& out, uint32_t v)
{
    Put16(out, static_cast<uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<uint16_t>(v >> 16));
}

void Put64(std::string& out, uint64_t v)
{
    Put32(out, static_cast<uint32_t>(v));
    Put32(out, static_cast<uint32_t>(v >> 32));
}

std::string Zip64Extra(const std::vector<uint64_t>& values)
{
    std::string extra;
    Put16(extra, 0x0001); // header id: ZIP64 extended information
    Put16(extra, static_cast<uint16_t>(values.size() * 8)); // data size
    for (uint64_t v : values)
        Put64(extra, v); // usize, csize, offset as needed
    return extra;
}

uint32_t Crc32Of(const std::string& data)
{
    return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

std::string RawDeflate(const std::string& data, int level)
{
    z_stream z{};
    if (deflateInit2(&z, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::string ZipBuilder::Build(std::vector<uint32_t>* localOffsets) const
{
    std::string out = prefix;
    std::vector<uint32_t> offsets;
    std::vector<std::string> payloads;
    for (const ZipBuilderEntry& e : entries) {
        std::string payload = e.raw ? *e.raw : e.method == 8 ? RawDeflate(e.data) : e.data;
        const uint32_t crc = e.crc.value_or(Crc32Of(e.data));
        offsets.push_back(static_cast<uint32_t>(out.size()));
        Put32(out, 0x04034B50); // local header signature
        Put16(out, e.versionNeeded); // version needed to extract
        Put16(out, e.flags); // general-purpose flags
        Put16(out, e.method); // compression method
        Put32(out, e.dosDateTime); // time (low), date (high)
        Put32(out, crc); // CRC-32
        Put32(out, e.compressedSize.value_or(static_cast<uint32_t>(payload.size()))); // compressed size
        Put32(out, e.uncompressedSize.value_or(static_cast<uint32_t>(e.data.size()))); // uncompressed size
        Put16(out, static_cast<uint16_t>(e.name.size())); // file name length
        Put16(out, static_cast<uint16_t>(e.localExtra.size())); // extra field length
        out += e.name; // file name
        out += e.localExtra; // extra field
        out += payload; // entry data
        payloads.push_back(std::move(payload));
    }
    if (localOffsets)
        *localOffsets = offsets;
    if (!writeCentral)
        return out + comment;

    const uint64_t centralStart = out.size();
    std::vector<size_t> order = centralOrder;
    if (order.empty())
        for (size_t i = 0; i < entries.size(); ++i)
            order.push_back(i);
    for (size_t i : order) {
        const ZipBuilderEntry& e = entries[i];
        const uint32_t crc = e.crc.value_or(Crc32Of(e.data));
        Put32(out, 0x02014B50); // central header signature
        Put16(out, e.versionMadeBy); // version made by (high byte: host)
        Put16(out, e.versionNeeded); // version needed to extract
        Put16(out, e.flags); // general-purpose flags
        Put16(out, e.method); // compression method
        Put32(out, e.dosDateTime); // time (low), date (high)
        Put32(out, crc); // CRC-32
        Put32(out, e.compressedSize.value_or(static_cast<uint32_t>(payloads[i].size()))); // compressed size
        Put32(out, e.uncompressedSize.value_or(static_cast<uint32_t>(e.data.size()))); // uncompressed size
        Put16(out, static_cast<uint16_t>(e.name.size())); // file name length
        Put16(out, e.phantomCentralExtra.value_or(static_cast<uint16_t>(e.centralExtra.size()))); // extra length
        Put16(out, 0); // file comment length
        Put16(out, 0); // disk number start
        Put16(out, 0); // internal attributes
        Put32(out, e.externalAttributes); // external attributes
        Put32(out, offsets[e.sharesLocalOf >= 0 ? static_cast<size_t>(e.sharesLocalOf) : i]); // local header offset
        out += e.name; // file name
        if (!e.phantomCentralExtra)
            out += e.centralExtra; // extra field
    }
    const uint64_t centralSize = out.size() - centralStart;
    const uint16_t count = static_cast<uint16_t>(order.size());
    if (zip64EndRecord) {
        const uint64_t zip64Start = out.size();
        Put32(out, 0x06064B50); // ZIP64 end record signature
        Put64(out, 44); // size of the rest of the record
        Put16(out, 45); // version made by
        Put16(out, 45); // version needed
        Put32(out, numberOfThisDisk); // number of this disk
        Put32(out, 0); // disk of the central directory
        Put64(out, order.size()); // entries on this disk
        Put64(out, order.size()); // total entries
        Put64(out, centralSize); // central directory size
        Put64(out, centralStart); // central directory offset
        Put32(out, 0x07064B50); // ZIP64 locator signature
        Put32(out, 0); // disk of the ZIP64 end record
        Put64(out, zip64Start); // offset of the ZIP64 end record
        Put32(out, 1); // total number of disks
    }
    Put32(out, 0x06054B50); // end record signature
    Put16(out, zip64EndRecord ? 0xFFFF : numberOfThisDisk); // number of this disk
    Put16(out, zip64EndRecord ? 0xFFFF : 0); // disk where the central directory starts
    Put16(out, zip64EndRecord ? 0xFFFF : count); // entries on this disk
    Put16(out, zip64EndRecord ? 0xFFFF : count); // total entries
    Put32(out, zip64EndRecord ? 0xFFFFFFFF : static_cast<uint32_t>(centralSize)); // central directory size
    Put32(out, zip64EndRecord ? 0xFFFFFFFF : static_cast<uint32_t>(centralStart)); // central directory offset
    Put16(out, static_cast<uint16_t>(comment.size())); // comment length
    out += comment; // archive comment
    return out;
}

} // namespace zelvora::zip::test
