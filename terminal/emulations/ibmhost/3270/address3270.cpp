#include "terminal/emulations/ibmhost/3270/address3270.h"

const u8 kSixBitCode[64] = {
    0x40, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F,
    0x50, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0x5A, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F,
    0x60, 0x61, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F,
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0x7A, 0x7B, 0x7C, 0x7D, 0x7E, 0x7F,
};

namespace {
// clang-format off
i32 Size(const I3270Session& s) { return s.current.bufferSize; }
i32 Columns(const I3270Session& s) { return s.current.columns > 0 ? s.current.columns : 1; }
// clang-format on

i32 ForwardNormal(const I3270Session& s, i32 a)
{
    return a + 1 >= Size(s) ? 0 : a + 1;
}
i32 BackwardNormal(const I3270Session& s, i32 a)
{
    return a <= 0 ? Size(s) - 1 : a - 1;
}
i32 ForwardMirrored(const I3270Session& s, i32 a)
{
    const i32 n = Columns(s);
    if (a % n != 0)
        return a - 1;
    const i32 next = a + 2 * n - 1;  // right end of the next row
    return next < Size(s) ? next : n - 1;
}
i32 BackwardMirrored(const I3270Session& s, i32 a)
{
    const i32 n = Columns(s);
    if (a % n != n - 1)
        return a + 1;
    if (a < n)
        return Size(s) - n;  // left end of the last row
    return a - 2 * n + 1;
}
}  // namespace

i32 MirrorAddress(const I3270Session& s, i32 address)
{
    if (!IsMirrored(s))
        return address;
    const i32 n = Columns(s);
    return address - address % n + (n - 1 - address % n);
}

i32 FirstAddress(const I3270Session& s)
{
    return IsMirrored(s) ? Columns(s) - 1 : 0;
}

i32 StepForward(const I3270Session& s, i32 address)
{
    return IsMirrored(s) ? ForwardMirrored(s, address) : ForwardNormal(s, address);
}

i32 StepBackward(const I3270Session& s, i32 address)
{
    return IsMirrored(s) ? BackwardMirrored(s, address) : BackwardNormal(s, address);
}

i32 InputForward(const I3270Session& s, i32 address)
{
    return (s.direction & 0x03) ? ForwardMirrored(s, address) : ForwardNormal(s, address);
}

i32 InputBackward(const I3270Session& s, i32 address)
{
    return (s.direction & 0x03) ? BackwardMirrored(s, address) : BackwardNormal(s, address);
}

i32 GoverningAttribute(const I3270Session& s, i32 address)
{
    if (!s.recordMode || Size(s) <= 0)
        return -1;
    i32 a = address;
    for (i32 n = 0; n < Size(s); ++n) {
        if (IsAttribute(s.cells[static_cast<std::size_t>(a)]))
            return a;
        a = StepBackward(s, a);
    }
    return -1;
}

i32 NextAttribute(const I3270Session& s, i32 address)
{
    i32 a = address;
    for (i32 n = 0; n < Size(s); ++n) {
        if (IsAttribute(s.cells[static_cast<std::size_t>(a)]))
            return a;
        a = StepForward(s, a);
    }
    return address;
}

const HostCell& GoverningCell(const I3270Session& s, i32 address)
{
    const i32 a = GoverningAttribute(s, address);
    return a < 0 ? s.defaultAttribute : s.cells[static_cast<std::size_t>(a)];
}

bool IsFormatted(const I3270Session& s)
{
    for (i32 a = 0; a < Size(s); ++a)
        if (IsAttribute(s.cells[static_cast<std::size_t>(a)]))
            return true;
    return false;
}

u32 I3270ReadAddress(const I3270Session& s, const u8*& p, int& remaining, i32& result)
{
    if (remaining < 2) {
        p += remaining;
        remaining = 0;
        return kErrDataEnds;
    }
    const u8 first = p[0], second = p[1];
    p += 2;
    remaining -= 2;
    i32 address;
    if (s.address16)
        address = first << 8 | second;
    else if ((first & 0xC0) == 0x00)
        address = (first & 0x3F) << 8 | second;
    else if ((first & 0xC0) == 0x80)
        return kErrBadAddress;
    else
        address = (first & 0x3F) << 6 | (second & 0x3F);
    if (address >= Size(s))
        return kErrBadAddress;
    result = MirrorAddress(s, address);
    return 0;
}

void EncodeAddress(const I3270Session& s, i32 address, u8 out[2])
{
    const i32 a = MirrorAddress(s, address);
    if (s.address16) {
        out[0] = static_cast<u8>(a >> 8);
        out[1] = static_cast<u8>(a);
    } else {
        out[0] = kSixBitCode[(a >> 6) & 0x3F];
        out[1] = kSixBitCode[a & 0x3F];
    }
}
