#pragma once
// CRC-32 of ISO 3309 / IEEE 802.3 (reflected polynomial 0xEDB88320), as zip
// archives store it: start from 0, feed the bytes, compare with the entry.
#include <cstddef>
#include <cstdint>

namespace zelvora::zip {

uint32_t UpdateCrc32(uint32_t crc, const uint8_t* data, size_t n);

} // namespace zelvora::zip
