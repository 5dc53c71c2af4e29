#include "terminal/emulations/ibmhost/3270/datastream3270.h"
#include "terminal/emulations/ibmhost/3270/inbound3270.h"
#include "terminal/emulations/ibmhost/3270/printer/job3287.h"

namespace {
u16 Word(const u8* p)
{
    return static_cast<u16>(p[0] << 8 | p[1]);
}

bool IsDisplay(const I3270Session* s)
{
    return s->sessionKind == 2;
}

}  // namespace

u32 I3270ReadPartitionField(I3270Session* s, const u8* f, int length, bool last, u8 aid)
{
    if (length < 5 || !last)
        return kErrFieldLength;
    const u8 partition = f[3], type = f[4];
    if (type == 0x02) {
        if (partition != 0xFF)
            return kErrPartition;
        if (length != 5)
            return kErrFieldLength;
        s->lastRead = type;
        I3270QueryRequest(s, 0x40, 0, nullptr, aid);
        return 0;
    }
    if (type == 0x03) {
        if (partition != 0xFF)
            return kErrPartition;
        if (length < 6)
            return kErrFieldLength;
        const u8 request = f[5];
        if (request != 0x00 && request != 0x40 && request != 0x80)
            return kErrFieldLength;
        s->lastRead = type;
        I3270QueryRequest(s, request, length - 6, f + 6, aid);
        return 0;
    }
    return kErrReadPartitionType;
}

namespace {

u32 EraseReset(I3270Session* s, const u8* f, int length)
{
    if (length != 4)
        return kErrFieldLength;
    if (f[3] != 0x00 && f[3] != 0x80)
        return kErrResetFlags;
    I3270EraseScreen(s, f[3] == 0x80);
    return 0;
}

u32 SetReplyMode(I3270Session* s, const u8* f, int length)
{
    if (!IsDisplay(s) || length < 5)
        return kErrFieldLength;
    if (f[3] != 0)
        return kErrPartition;
    const u8 mode = f[4];
    if (mode > 2)
        return kErrReplyMode;
    u8 types = 0;
    if (mode < 2) {
        if (length != 5)
            return kErrFieldLength;
    } else {
        for (int i = 5; i < length; ++i) {
            switch (f[i]) {
            case 0x41:
                if (!(s->supportedTypes & 0x01))
                    return kErrResetFlags;
                types |= 0x01;
                break;
            case 0x42:
                if (!(s->supportedTypes & 0x02))
                    return kErrResetFlags;
                types |= 0x02;
                break;
            case 0x43:
                if (!(s->supportedTypes & 0x04))
                    return kErrResetFlags;
                types |= 0x04;
                break;
            case 0x45: break;
            default: return kErrResetFlags;
            }
        }
    }
    s->replyMode = mode;
    s->charModeTypes = types;
    return 0;
}

// Create Partition: only partition 0 covering the whole default or alternate screen is
// taken; its parameters are checked as far as the field reaches.
u32 CreatePartition(I3270Session* s, const u8* f, int length)
{
    if (!IsDisplay(s))
        return kErrFieldLength;
    if (length < 4) {
        s->partitionCreated = 1;
        s->address16 = 0;
        s->partitionFlags = 0;
        I3270Erase(s, false);
        s->bufferAddress = 0;
        return 0;
    }
    if (f[3] != 0)
        return kErrPartition;
    u8 address16 = 0, flags = 0;
    if (length >= 5) {
        if (f[4] > 0x0F || (f[4] & 0x0F) > 1)
            return kErrPartitionUnits;
        address16 = f[4] & 0x01;
    }
    if (length >= 6) {
        if ((f[5] & 0xD8) || (f[5] & 0x07) > 1)
            return kErrCreatePartition;
        flags = f[5] & 0x07;
    }
    bool alternate = false;
    const int n = length >= 30 ? 30 : length;
    if (n % 2 && n > 6)
        return kErrFieldLength;  // a 2-byte parameter cut in half
    for (int at = 6; at + 1 < n; at += 2) {
        const u16 v = Word(f + at);
        // clang-format off
        switch (at) {
        case 6:
            if (v == s->defaults.rows)
                alternate = false;
            else if (v == s->alternate.rows)
                alternate = true;
            else
                return kErrCreatePartition;
            break;
        case 8: case 16:
            if (v != (alternate ? s->alternate.columns : s->defaults.columns))
                return kErrCreatePartition;
            break;
        case 14:
            if (v != (alternate ? s->alternate.rows : s->defaults.rows))
                return kErrCreatePartition;
            break;
        case 10: case 12: case 18: case 20:
            if (v != 0)
                return kErrCreatePartition;
            break;
        case 22: case 24:
            if (v != 0 && v != 1 && v != 0xFFFF)
                return kErrCreatePartition;
            break;
        default:
            break;
        }
        // clang-format on
    }
    s->partitionCreated = 1;
    s->address16 = address16;
    s->partitionFlags = flags;
    I3270Erase(s, alternate);
    s->bufferAddress = 0;
    return 0;
}

}  // namespace

u32 I3270BeginEndOfFile(I3270Session* s, const u8* f, int length)
{
    if (IsDisplay(s))
        return kErrFieldNotSupported;
    if (s->sessionKind == 0)
        return 0;
    if (length < 4 || f[3] != 0x85)
        return kErrFieldNotSupported;
    if (length != 7)
        return kErrFieldLength;
    if (f[4] & 0x40)
        I3270EndPrintJob(s);
    else if ((f[4] & 0x80) && !I3270OpenPrintJob(s))
        return kErrNoPrinter;
    return 0;
}

namespace {

u32 Outbound3270DS(I3270Session* s, const u8* f, int length, bool last)
{
    if (length < 5)
        return kErrFieldLength;
    if (f[3] != 0)
        return kErrPartition;
    const u8* data = f + 5;
    const int n = length - 5;
    // clang-format off
    switch (f[4]) {
    case 0x6F:
        return I3270EraseAllUnprotected(s, data, n, true);
    case 0x7E: case 0xF5:
        return I3270EraseWrite(s, data, n, s->alternateInUse != 0, last);
    case 0xF1:
        return I3270Write(s, data, n, last);
    case 0xF7:
        return kErrFieldNotSupported;
    default:
        return kErrReadPartitionType;
    }
    // clang-format on
}
}  // namespace

u32 I3270WriteStructuredField(I3270Session* s, const u8* data, int length)
{
    int at = 0;
    while (at < length) {
        const int left = length - at;
        if (left < 2)
            return kErrFieldLength;
        int n = Word(data + at);
        if (n == 0)
            n = left;
        // A length past the record's end must not be taken: the field would be read
        // beyond the bytes the host sent.
        if (n < 3 || n > left)
            return kErrFieldLength;
        const u8* f = data + at;
        const bool last = at + n == length;
        const u8 id = f[2];
        if (id == 0 || id > 0x40)
            return kErrFieldNotSupported;
        u32 error;
        switch (id) {
        case 0x01: error = I3270ReadPartitionField(s, f, n, last, 0x88); break;
        case 0x03: error = EraseReset(s, f, n); break;
        case 0x09: error = SetReplyMode(s, f, n); break;
        case 0x0C: error = CreatePartition(s, f, n); break;
        case 0x0F: error = I3270BeginEndOfFile(s, f, n); break;
        case 0x40: error = Outbound3270DS(s, f, n, last); break;
        default: error = kErrFieldNotSupported; break;
        }
        if (error)
            return error;
        at += n;
    }
    return 0;
}
