#include "terminal/core/base/version.h"

#include <cstring>

u32 BuildStampOf(const char* date)
{
    static const char* const kMonths[11] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov"};
    u32 month = 12;
    for (u32 m = 0; m < 11; ++m)
        if (date && std::strncmp(date, kMonths[m], 3) == 0)
            month = m + 1;
    u32 day = 0, year = 0;
    const char* p = date ? std::strchr(date, ' ') : nullptr;
    while (p && *p == ' ')
        ++p;
    for (; p && *p >= '0' && *p <= '9'; ++p)
        day = day * 10 + static_cast<u32>(*p - '0');
    while (p && *p == ' ')
        ++p;
    for (; p && *p >= '0' && *p <= '9'; ++p)
        year = year * 10 + static_cast<u32>(*p - '0');
    return ((month & 15) << 8) | ((day & 31) << 3) | (((year + 2) & 15) << 12) | 0xA0004;
}

u32 ProgramBuildStamp()
{
    return BuildStampOf(kProgramBuildDate);
}
