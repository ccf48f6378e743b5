#include "zip/DosDateTime.h"

namespace zelvora::zip {

uint32_t ClampDosDateTime(uint32_t dosDateTime)
{
    const unsigned time = dosDateTime & 0xFFFF;
    const unsigned date = dosDateTime >> 16;
    unsigned hours = time >> 11;
    unsigned minutes = (time >> 5) & 63;
    unsigned seconds = (time & 31) * 2;
    unsigned year = 1980 + (date >> 9);
    unsigned month = (date >> 5) & 15;
    unsigned day = date & 31;
    bool changed = false;
    auto clamp = [&changed](unsigned& v, bool out, unsigned to) {
        if (out) {
            v = to;
            changed = true;
        }
    };
    clamp(hours, hours > 23, 23);
    clamp(minutes, minutes > 59, 59);
    clamp(seconds, seconds > 59, 59);
    clamp(year, year > 2099, 2099);
    clamp(month, month == 0, 1);
    clamp(month, month > 12, 12);
    clamp(day, day == 0, 1);
    if (!changed)
        return dosDateTime;
    const unsigned newTime = (hours << 11) | (minutes << 5) | (seconds / 2);
    const unsigned newDate = ((year - 1980) << 9) | (month << 5) | day;
    return (static_cast<uint32_t>(newDate) << 16) | newTime;
}

} // namespace zelvora::zip
