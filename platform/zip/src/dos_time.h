// MS-DOS date and time fields of ZIP headers, and the civil (calendar) time they stand for.
#pragma once

#include <cstdint>

namespace cvq::zip {

struct CivilTime {
    int year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

struct DosDateTime {
    std::uint16_t time = 0;
    std::uint16_t date = 0;
};

// Before 1980 becomes 1980-01-01 00:00:00, after 2107 the last representable moment; odd seconds
// round down, as the format has two-second steps.
DosDateTime ToDos(const CivilTime& t);
// Fields out of range (month 0, day 31 in April, hour 25...) give 1980-01-01 00:00:00.
CivilTime FromDos(DosDateTime d);

} // namespace cvq::zip
