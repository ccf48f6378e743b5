#pragma once
// MS-DOS date and time values as zip headers store them: the time in the
// low word (hours in bits 11-15, minutes in 5-10, seconds / 2 in 0-4), the
// date in the high word (year - 1980 in bits 9-15, month in 5-8, day in 0-4).
#include <cstdint>

namespace zelvora::zip {

// Pulls fields out of range back into it: hours to 23, minutes and seconds
// to 59 (seconds stored as 29), years to 2099, month 0 to 1 and above 12 to
// 12, day 0 to 1. A value with nothing out of range comes back untouched.
uint32_t ClampDosDateTime(uint32_t dosDateTime);

} // namespace zelvora::zip
