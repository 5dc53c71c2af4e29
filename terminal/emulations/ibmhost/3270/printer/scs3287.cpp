#include "terminal/emulations/ibmhost/3270/printer/scs3287.h"

#include <algorithm>
#include <iterator>

#include "terminal/core/host/hostio.h"
#include "terminal/emulations/ibmhost/3270/datastream3270.h"
#include "terminal/emulations/ibmhost/3270/oia3270.h"
#include "terminal/emulations/ibmhost/3270/printer/page3287.h"
#include "terminal/emulations/ibmhost/station/hostcodepage.h"

namespace {
constexpr u8 kEnvelope[6] = {0x06, 0x01, 0x00, 0x0B, 0x60, 0x00};

void Graphic(I3270Session* s, u8 byte)
{
    const wchar16 u = HostByteToUnicode(s->s2u, byte);
    I3270PutPrintChar(s, static_cast<u8>(u & 0xFF));
}

// Set Horizontal Format: the parameters after the count byte.
u32 HorizontalFormat(I3287Job& j, const u8* p, int n)
{
    j.mpp = kMaxPrintPosition;
    j.rightMargin = kMaxPrintPosition;
    j.leftMargin = 1;
    std::fill(std::begin(j.horizontalTabs), std::end(j.horizontalTabs), u8{0});
    if (n >= 1) {
        if (p[0] > kMaxPrintPosition)
            return kErrDataEnds;
        j.mpp = p[0] ? p[0] : kMaxPrintPosition;
        j.rightMargin = j.mpp;
    }
    if (n >= 2) {
        if (p[1] > j.mpp)
            return kErrDataEnds;
        j.leftMargin = p[1] ? p[1] : 1;
    }
    if (n >= 3) {
        if (p[2] > kMaxPrintPosition)
            return kErrDataEnds;
        j.rightMargin = p[2] ? p[2] : kMaxPrintPosition;
    }
    for (int i = 3; i < n; ++i) {
        if (p[i] < j.leftMargin || p[i] > j.mpp)
            return kErrDataEnds;
        j.horizontalTabs[p[i]] = kPrintTabMark;
    }
    j.horizontalTabs[j.leftMargin] = kPrintTabMark;
    return 0;
}

// Set Vertical Format.
u32 VerticalFormat(I3287Job& j, const u8* p, int n)
{
    j.linesPerPage = 1;
    j.topMargin = 1;
    j.bottomMargin = 1;
    std::fill(std::begin(j.verticalTabs), std::end(j.verticalTabs), u8{0});
    if (n >= 1) {
        if (p[0] > kMaxPageLines)
            return kErrDataEnds;
        j.linesPerPage = p[0] ? p[0] : kMaxPageLines;
        j.bottomMargin = j.linesPerPage;
    }
    if (n >= 2) {
        if (p[1] > j.linesPerPage)
            return kErrDataEnds;
        j.topMargin = p[1] ? p[1] : 1;
    }
    if (n >= 3) {
        const i32 bottom = p[2] ? p[2] : j.linesPerPage;
        if (bottom < j.topMargin || bottom > j.linesPerPage)
            return kErrDataEnds;
        j.bottomMargin = bottom;
    }
    for (int i = 3; i < n; ++i) {
        if (p[i] < j.topMargin || p[i] > j.bottomMargin)
            return kErrDataEnds;
        j.verticalTabs[p[i]] = kPrintTabMark;
    }
    j.verticalTabs[j.topMargin] = kPrintTabMark;
    return 0;
}

u32 LineDensity(I3287Job& j, u8 count, const u8* p)
{
    if (count == 1) {
        j.lineDensity = 6;
        return 0;
    }
    if (count != 2)
        return kErrDataEnds;
    // clang-format off
    switch (p[0]) {
    case 0: case 12: j.lineDensity = 6; return 0;
    case 9: j.lineDensity = 8; return 0;
    case 18: j.lineDensity = 4; return 0;
    case 24: j.lineDensity = 3; return 0;
    default: return kErrDataEnds;
    }
    // clang-format on
}

// 0x2B class count parameters...; `at` stands on the class byte.
u32 ControlSequence(I3270Session* s, const u8* data, int length, int& at)
{
    if (length - at < 2)
        return kErrDataEnds;
    const u8 cls = data[at], count = data[at + 1];
    if (cls < 0xC1 || cls == 0xFF)
        return kErrBadAttribute;
    if (count == 0)
        return kErrDataEnds;
    if (cls == 0xFE) {
        if (count != 0x35)
            return kErrBadAttribute;
        if (length - (at + 2) < 53)
            return kErrDataEnds;
        I3270TransparentOut(s, data + at + 2, 51);
        at += 2 + 51;
        return 0;
    }
    // The count counts itself: count - 1 parameters follow it.
    const int n = count - 1;
    if (length - (at + 2) < n)
        return kErrDataEnds;
    const u8* p = data + at + 2;
    I3287Job& j = s->printer;
    u32 error;
    // clang-format off
    switch (cls) {
    case 0xC1: error = HorizontalFormat(j, p, n); break;
    case 0xC2: error = VerticalFormat(j, p, n); break;
    case 0xC6: error = LineDensity(j, count, p); break;
    default: error = kErrBadAttribute; break;
    }
    // clang-format on
    at += 2 + n;
    return error;
}
}  // namespace

u32 ScsInterpret(I3270Session* s, const u8* data, int length)
{
    s->currentAttributes = HostCell{};
    int at = 0;
    while (at < length) {
        const u8 b = data[at++];
        if (b >= 0x40 && b <= 0xFE) {
            Graphic(s, b);
            continue;
        }
        u32 error = 0;
        // clang-format off
        switch (b) {
        case 0x04: {
            if (at >= length)
                return kErrDataEnds;
            const int channel = data[at++] & 0x0F;
            if (channel == 0)
                return kErrDataEnds;
            I3270VerticalChannel(s, channel);
            break;
        }
        case 0x05: I3270PutPrintChar(s, kLayoutTab); break;
        case 0x08:
            if (at >= length)
                return kErrDataEnds;
            Graphic(s, data[at++]);
            break;
        case 0x0B: I3270PutPrintChar(s, kLayoutVerticalTab); break;
        case 0x0C: I3270PutPrintChar(s, kLayoutFormFeed); break;
        case 0x0D: I3270PutPrintChar(s, kLayoutReturn); break;
        case 0x14: case 0x24: break;
        case 0x15: case 0x1E: I3270PutPrintChar(s, kLayoutNewLine); break;
        case 0x16: I3270PutPrintChar(s, kLayoutBackspace); break;
        case 0x25: I3270PutPrintChar(s, kLayoutLineFeed); break;
        case 0x28: {
            if (length - at < 2)
                return kErrDataEnds;
            if (s->extLevel < 2)
                return kErrOrderNotSupported;
            HostCell cell = s->currentAttributes;
            error = I3270CheckAttribute(s, data[at], data[at + 1], cell, false);
            if (!error)
                s->currentAttributes = cell;
            at += 2;
            break;
        }
        case 0x2B: error = ControlSequence(s, data, length, at); break;
        case 0x2F: RequestBell(); break;
        case 0x35: case 0x36: {
            if (at >= length)
                return kErrDataEnds;
            const int n = data[at++];
            if (length - at < n)
                return kErrDataEnds;
            I3270TransparentOut(s, data + at, n);
            at += n;
            break;
        }
        default: I3270PutPrintChar(s, ' '); break;
        }
        // clang-format on
        if (error)
            return error;
    }
    return 0;
}

u32 I3270ScsRecord(I3270Session* s, const u8* data, int length)
{
    s->lastError = 0;
    I3270ShowInhibit(s);
    if (length <= 0)
        return 0;
    if (data[0] != 0x06)
        return ScsInterpret(s, data, length);
    if (length < 6 || !std::equal(kEnvelope, kEnvelope + 6, data))
        return kErrScsEnvelope;
    int at = 6;
    while (at < length) {
        const int left = length - at;
        if (left < 2)
            return kErrFieldLength;
        int n = data[at] << 8 | data[at + 1];
        if (n == 0)
            n = left;
        // A field longer than the record is cut at its end, nothing is read beyond it.
        if (n < 4 || n > left)
            return kErrFieldLength;
        const u8* f = data + at;
        u32 error;
        // clang-format off
        switch (f[2]) {
        case 0x01: error = I3270ReadPartitionField(s, f, n, at + n == length, 0x8B); break;
        case 0x0F: error = I3270BeginEndOfFile(s, f, n); break;
        case 0x41: error = f[3] != 0 ? static_cast<u32>(kErrPartition) : ScsInterpret(s, f + 4, n - 4); break;
        default: error = kErrFieldNotSupported; break;
        }
        // clang-format on
        if (error)
            return error;
        at += n;
    }
    return 0;
}
