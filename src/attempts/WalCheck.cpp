#include "attempts/WalCheck.h"

#include <cstdint>
#include <fstream>
#include <sstream>

namespace zelvora::attempts {

namespace {

constexpr size_t WalHeaderSize = 32;
constexpr size_t FrameHeaderSize = 24;
// A log is at most a few megabytes in use; one far larger is not read whole.
constexpr std::streamoff MaxWalBytes = std::streamoff(512) << 20;

uint32_t Word(const std::string& b, size_t at, bool bigEndian)
{
    const auto u = [&](size_t i) { return uint32_t(uint8_t(b[at + i])); };
    return bigEndian ? (u(0) << 24) | (u(1) << 16) | (u(2) << 8) | u(3)
                     : (u(3) << 24) | (u(2) << 16) | (u(1) << 8) | u(0);
}

// SQLite's log checksum: over pairs of 32-bit words, carried on from frame to
// frame.
void Checksum(const std::string& b, size_t at, size_t length, bool bigEndian, uint32_t& s0, uint32_t& s1)
{
    for (size_t i = at; i + 8 <= at + length; i += 8) {
        s0 += Word(b, i, bigEndian) + s1;
        s1 += Word(b, i + 4, bigEndian) + s0;
    }
}

} // namespace

int WalCheck::LostCommitsIn(const std::string& wal)
{
    if (wal.size() < WalHeaderSize)
        return 0;
    const uint32_t magic = Word(wal, 0, true);
    if ((magic & 0xFFFFFFFEu) != 0x377F0682u)
        return 0;
    const bool bigEndian = (magic & 1) != 0;
    const uint32_t pageSize = Word(wal, 8, true);
    if (pageSize < 512 || pageSize > 65536 || (pageSize & (pageSize - 1)) != 0)
        return 0;
    const uint32_t salt1 = Word(wal, 16, true);
    const uint32_t salt2 = Word(wal, 20, true);
    uint32_t s0 = 0, s1 = 0;
    Checksum(wal, 0, 24, bigEndian, s0, s1);
    if (s0 != Word(wal, 24, true) || s1 != Word(wal, 28, true))
        return 0; // a header SQLite itself ignores: the log is empty to it

    const size_t frameSize = FrameHeaderSize + pageSize;
    bool broken = false;
    int lost = 0;
    for (size_t at = WalHeaderSize; at + frameSize <= wal.size(); at += frameSize) {
        const bool sameGeneration = Word(wal, at + 8, true) == salt1 && Word(wal, at + 12, true) == salt2;
        const bool commit = Word(wal, at + 4, true) != 0;
        if (!broken) {
            uint32_t c0 = s0, c1 = s1;
            Checksum(wal, at, 8, bigEndian, c0, c1);
            Checksum(wal, at + FrameHeaderSize, pageSize, bigEndian, c0, c1);
            if (sameGeneration && c0 == Word(wal, at + 16, true) && c1 == Word(wal, at + 20, true)) {
                s0 = c0;
                s1 = c1;
                continue;
            }
            broken = true;
        }
        if (sameGeneration && commit)
            ++lost;
    }
    return lost;
}

int WalCheck::LostCommits(const std::string& walPath)
{
    std::ifstream in(walPath, std::ios::binary);
    if (!in)
        return 0;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size <= 0 || size > MaxWalBytes)
        return 0;
    in.seekg(0);
    std::string bytes(size_t(size), '\0');
    in.read(bytes.data(), size);
    bytes.resize(size_t(in.gcount()));
    return LostCommitsIn(bytes);
}

} // namespace zelvora::attempts
