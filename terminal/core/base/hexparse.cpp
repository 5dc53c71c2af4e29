#include "terminal/core/base/hexparse.h"

i64 ParseHexString(wchar16* text, int* length)
{
    int n = 0;
    u32 value = 0;
    if (text) {
        for (wchar16* p = text; *p; ++p)
            if (*p >= 'a' && *p <= 'z')
                *p = static_cast<wchar16>(*p - 32);
        for (; text[n]; ++n) {
            const wchar16 c = text[n];
            u32 digit;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else {
                if (length)
                    *length = n;
                return -1;
            }
            value = (value << 4) | digit;
        }
    }
    if (length)
        *length = n;
    return value;
}

int HexDigitValue(int c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}
