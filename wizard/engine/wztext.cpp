#include "wizard/engine/wztext.h"

wchar16 FoldCase(wchar16 c)
{
    return c >= 'a' && c <= 'z' ? static_cast<wchar16>(c - 'a' + 'A') : c;
}

bool SameTextIgnoringCase(const WText& a, const WText& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}

WText Widen(const char* text)
{
    WText out;
    for (; text && *text; ++text)
        out.push_back(static_cast<wchar16>(static_cast<unsigned char>(*text)));
    return out;
}

WText DecimalText(i64 value)
{
    const bool negative = value < 0;
    u64 magnitude = negative ? 0 - static_cast<u64>(value) : static_cast<u64>(value);
    WText digits;
    do {
        digits.insert(digits.begin(), static_cast<wchar16>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude);
    if (negative)
        digits.insert(digits.begin(), '-');
    return digits;
}

bool ReadDecimal(const WText& text, std::size_t from, i32& value)
{
    std::size_t i = from;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    if (i >= text.size() || text[i] < '0' || text[i] > '9')
        return false;
    u32 n = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        n = n * 10 + static_cast<u32>(text[i] - '0');
    value = static_cast<i32>(negative ? 0 - n : n);
    return true;
}
