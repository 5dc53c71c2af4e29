#include "terminal/settings/store/setuptext.h"

#include "terminal/core/base/hexparse.h"

namespace {

bool IsDecimal(wchar16 c)
{
    return c >= '0' && c <= '9';
}

bool IsOctal(wchar16 c)
{
    return c >= '0' && c <= '7';
}

// The escaped units of one raw unit; `next` and `after` are the raw units that follow
// (0 past the end), which decide whether a literal "_" must be escaped.
int EscapeUnit(wchar16 u, const wchar16* rest, wchar16* out)
{
    static const char kHex[] = "0123456789abcdef";
    if (u < 32) {
        out[0] = '^';
        out[1] = static_cast<wchar16>(u + 64);
        return 2;
    }
    if (u >= 128 && u <= 159) {
        out[0] = '_';
        out[1] = static_cast<wchar16>('0' + u / 100);
        out[2] = static_cast<wchar16>('0' + u / 10 % 10);
        out[3] = static_cast<wchar16>('0' + u % 10);
        return 4;
    }
    if (u > 128) {
        out[0] = '\\';
        out[1] = 'u';
        for (int i = 0; i < 4; ++i)
            out[2 + i] = static_cast<wchar16>(kHex[(u >> (12 - 4 * i)) & 15]);
        return 6;
    }
    // The escape introducers themselves: a literal "\" or "^" always, a literal "_"
    // where three digits follow it, else they would read back as something else.
    const bool literalUnderscore = u == '_' && IsDecimal(rest[0]) && IsDecimal(rest[1]) && IsDecimal(rest[2]);
    if (u == '\\' || u == '^' || literalUnderscore) {
        out[0] = '\\';
        out[1] = u;
        return 2;
    }
    out[0] = u;
    return 1;
}

}  // namespace

int EncodeSetupText(wchar16* counted, const wchar16* source, int n)
{
    if (!counted)
        return 0;
    if (n < 0)
        n = 0;
    counted[0] = static_cast<wchar16>(n);
    wchar16* out = counted + 1;
    int written = 0;
    for (int i = 0; source && i < n && source[i]; ++i) {
        // Look-ahead stops at the end of the n units taken.
        wchar16 rest[3] = {0, 0, 0};
        for (int k = 0; k < 3 && i + 1 + k < n && source[i + 1 + k]; ++k)
            rest[k] = source[i + 1 + k];
        written += EscapeUnit(source[i], rest, out + written);
    }
    out[written] = 0;
    return written;
}

int DecodeSetupText(wchar16* destination, const wchar16* source, int n)
{
    if (!destination)
        return 0;
    if (n < 0)
        n = 0;
    int count = 0;
    // Every write checks the room left: two-unit results may only half fit.
    auto put = [&](wchar16 u) {
        if (count < n)
            destination[count++] = u;
    };
    const wchar16* s = source;
    while (s && *s && count < n) {
        const wchar16 c = s[0];
        if (c == '^' && s[1] >= 64 && s[1] <= 95) {
            put(static_cast<wchar16>(s[1] - 64));
            s += 2;
        } else if (c == '_' && IsDecimal(s[1]) && IsDecimal(s[2]) && IsDecimal(s[3])) {
            put(static_cast<wchar16>(((s[1] - '0') * 100 + (s[2] - '0') * 10 + (s[3] - '0')) % 256));
            s += 4;
        } else if (c == '\\' && s[1]) {
            const wchar16 e = s[1];
            int hex[4] = {-1, -1, -1, -1};
            if (e == 'u')
                for (int i = 0; i < 4 && s[2 + i]; ++i)
                    hex[i] = HexDigitValue(s[2 + i]);
            if (e == '\\' || e == '^' || e == '_') {
                put(e);
                s += 2;
            } else if (e == 'e' || e == 'n' || e == 'r') {
                put(e == 'e' ? 27 : e == 'n' ? 10 : 13);
                s += 2;
            } else if (e == 'u' && hex[0] >= 0 && hex[1] >= 0 && hex[2] >= 0 && hex[3] >= 0) {
                put(static_cast<wchar16>(hex[0] << 12 | hex[1] << 8 | hex[2] << 4 | hex[3]));
                s += 6;
            } else if (IsOctal(e) && IsOctal(s[2]) && IsOctal(s[3])) {
                // A byte value: zero-extended, never a unit above 255.
                put(static_cast<wchar16>(((e - '0') * 64 + (s[2] - '0') * 8 + (s[3] - '0')) & 0xFF));
                s += 4;
            } else {
                put(c);
                put(e);
                s += 2;
            }
        } else {
            put(c);
            s += 1;
        }
    }
    destination[count] = 0;
    return count;
}

int DecodeSetupField(wchar16* destination, const wchar16* counted, int n)
{
    return DecodeSetupText(destination, counted ? counted + 1 : nullptr, n);
}
