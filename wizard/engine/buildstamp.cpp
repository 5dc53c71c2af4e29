#include "wizard/engine/buildstamp.h"

namespace {

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Reads digits after blanks; false when there are none.
bool Number(const char*& p, int& value)
{
    while (*p == ' ')
        ++p;
    if (*p < '0' || *p > '9')
        return false;
    value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        value = value * 10 + (*p - '0');
    return true;
}

}  // namespace

int MonthFromName(const char* name)
{
    static const char kMonths[] = "JANFEBMARAPRMAYJUNJULAUGSEPOCTNOV";
    for (int m = 0; m < 11; ++m) {
        int i = 0;
        while (i < 3 && name[i] && Upper(name[i]) == kMonths[m * 3 + i])
            ++i;
        if (i == 3)
            return m + 1;
    }
    return 12;
}

u32 BuildStampFromDate(const char* date)
{
    if (!date)
        return 0;
    const char* p = date;
    for (int i = 0; i < 3 && *p; ++i)
        ++p;
    int day = 0, year = 0;
    if (!Number(p, day) || !Number(p, year))
        return 0;
    const u32 month = static_cast<u32>(MonthFromName(date));
    return ((month & 15) << 8) | ((static_cast<u32>(day) & 31) << 3) | ((static_cast<u32>(year + 2) & 15) << 12) |
           0xA0004;
}
