#pragma once
// A small zip archive writer for test data and the sample data folder.
//
// It writes what PKZIP 2.x writes: for every entry a local header followed by
// the entry's data, then the central directory (one central header per entry)
// and the end-of-central-directory record. Entries are stored or deflated
// (raw deflate through zlib); sizes and CRC-32 sit in the local header, so no
// data descriptor is used. No Zip64, no encryption, no extra fields.
//
// Names are taken as bytes: the caller chooses the code page (code page 850
// for an MS-DOS made entry, UTF-8 with the UTF-8 flag set). A folder entry is
// a name ending in "/" with no data.
//
// Everything the writer puts into the archive comes from its arguments, so the
// same calls always give the same bytes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora::zipwriter {

class ZipWriter {
public:
    enum class Method : uint16_t { Stored = 0, Deflated = 8 };

    // MS-DOS host (0) or Unix host (3), the high byte of "version made by".
    enum class Host : uint8_t { MsDos = 0, Unix = 3 };

    struct Entry {
        std::string name; // bytes as stored in the archive
        std::string data; // uncompressed content
        Method method = Method::Deflated;
        Host host = Host::MsDos;
        uint16_t dosTime = DosTime(12, 0, 0);
        uint16_t dosDate = DosDate(2010, 1, 1);
        // MS-DOS attribute bits in the low byte (0x20 archive, 0x10 folder,
        // 0x01 read-only); for a Unix host the mode goes into the high 16 bits.
        uint32_t externalAttributes = 0x20;
        bool utf8Name = false; // general-purpose flag bit 11
        std::string comment;
    };

    static constexpr uint16_t DosTime(int hour, int minute, int second)
    {
        return static_cast<uint16_t>((hour << 11) | (minute << 5) | (second / 2));
    }
    static constexpr uint16_t DosDate(int year, int month, int day)
    {
        return static_cast<uint16_t>(((year - 1980) << 9) | (month << 5) | day);
    }

    void add(Entry entry);
    // Shorthands for the usual cases, with the default date and attributes.
    void addFile(std::string name, std::string data, Method method = Method::Deflated);
    void addFolder(std::string name);

    // The archive's bytes. Throws std::runtime_error when zlib fails or the
    // archive would exceed the limits of the format without Zip64.
    std::string finish(std::string_view archiveComment = {}) const;

    // finish() written to a file; returns false when the file cannot be written.
    bool writeTo(const std::string& path, std::string_view archiveComment = {}) const;

    std::size_t size() const { return m_entries.size(); }

    static uint32_t Crc32(std::string_view data);
    // Raw deflate (no zlib header), best compression.
    static std::string Deflate(std::string_view data);

private:
    std::vector<Entry> m_entries;
};

} // namespace zelvora::zipwriter
