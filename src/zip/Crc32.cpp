#include "zip/Crc32.h"

#ifdef ZELVORA_ZIP_LIBDEFLATE
#include <libdeflate.h>
#else
#include <zlib.h>
#endif

namespace zelvora::zip {

uint32_t UpdateCrc32(uint32_t crc, const uint8_t* data, size_t n)
{
#ifdef ZELVORA_ZIP_LIBDEFLATE
    return libdeflate_crc32(crc, data, n);
#else
    while (n) {
        const uInt chunk = n > 0x40000000 ? 0x40000000u : static_cast<uInt>(n);
        crc = static_cast<uint32_t>(crc32(crc, data, chunk));
        data += chunk;
        n -= chunk;
    }
    return crc;
#endif
}

} // namespace zelvora::zip
