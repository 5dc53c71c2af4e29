#include "terminal/emulations/dec/reports/statecodec.h"

u8 TerminalStateChecksum(const u8* chars, int count)
{
    u32 sum = 0;
    for (int i = 0; i < count; ++i)
        sum += chars[i];
    return static_cast<u8>(0u - sum);
}

void EncodeTerminalState(const u8* block, u8* chars)
{
    for (int i = 0; i < kTerminalStateBytes; ++i) {
        chars[2 * i] = static_cast<u8>(0x40 + (block[i] & 0x0F));
        chars[2 * i + 1] = static_cast<u8>(0x40 + (block[i] >> 4));
    }
    const u8 check = TerminalStateChecksum(chars, 2 * kTerminalStateBytes);
    chars[2 * kTerminalStateBytes] = static_cast<u8>(0x40 + (check & 0x0F));
    chars[2 * kTerminalStateBytes + 1] = static_cast<u8>(0x40 + (check >> 4));
}

bool DecodeTerminalState(const u8* chars, int count, u8* block)
{
    if (count != kTerminalStateChars)
        return false;
    for (int i = 0; i < count; ++i)
        if (chars[i] < 0x40 || chars[i] > 0x4F)
            return false;
    const int last = 2 * kTerminalStateBytes;
    const u8 check = static_cast<u8>((chars[last] - 0x40) | ((chars[last + 1] - 0x40) << 4));
    if (TerminalStateChecksum(chars, last) != check)
        return false;
    for (int i = 0; i < kTerminalStateBytes; ++i)
        block[i] = static_cast<u8>((chars[2 * i] - 0x40) | ((chars[2 * i + 1] - 0x40) << 4));
    return true;
}

u8 CharsetReportCode(u8 code)
{
    switch (code) {
    case 2: return 3;
    case 3: return 2;
    case 4: return 64;
    case 5: return 32;
    case 6: return 33;
    default: return 1;
    }
}

CharsetFromReport CharsetFromReportCode(u8 reportCode)
{
    switch (reportCode) {
    case 3: return {2, 0};
    case 2: return {3, 0};
    case 32: return {5, 0};
    case 33: return {6, 1};
    case 64: return {4, 2};
    default: return {1, 0};
    }
}
