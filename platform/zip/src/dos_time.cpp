// Packing and unpacking of MS-DOS time stamps; the time-zone step lives in os_file_*.cpp.
#include "dos_time.h"

namespace cvq::zip {
namespace {

int DaysInMonth(int year, int month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

} // namespace

DosDateTime ToDos(const CivilTime& t)
{
    CivilTime c = t;
    if (c.year < 1980) c = CivilTime{};
    if (c.year > 2107) c = CivilTime{2107, 12, 31, 23, 59, 58};
    DosDateTime d;
    d.date = static_cast<std::uint16_t>(((c.year - 1980) << 9) | (c.month << 5) | c.day);
    d.time = static_cast<std::uint16_t>((c.hour << 11) | (c.minute << 5) | (c.second / 2));
    return d;
}

CivilTime FromDos(DosDateTime d)
{
    CivilTime c;
    c.year = 1980 + (d.date >> 9);
    c.month = (d.date >> 5) & 0x0F;
    c.day = d.date & 0x1F;
    c.hour = d.time >> 11;
    c.minute = (d.time >> 5) & 0x3F;
    c.second = (d.time & 0x1F) * 2;
    const bool valid = c.month >= 1 && c.month <= 12 && c.day >= 1 && c.day <= DaysInMonth(c.year, c.month) &&
                       c.hour <= 23 && c.minute <= 59 && c.second <= 59;
    return valid ? c : CivilTime{};
}

} // namespace cvq::zip
