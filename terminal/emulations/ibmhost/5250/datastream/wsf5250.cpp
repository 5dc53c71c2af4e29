#include "terminal/emulations/ibmhost/5250/datastream/wsf5250.h"

#include "terminal/core/screen/codepages.h"
#include "terminal/emulations/ibmhost/5250/datastream/records5250.h"
#include "terminal/emulations/ibmhost/5250/screen/status5250.h"
#include "terminal/emulations/ibmhost/5250/textassist/textassist5250.h"

namespace {
constexpr u8 kClass = 0xD9;

// A character of the device code as EBCDIC, the way hosts and traces read it.
u8 Ebcdic(wchar16 c)
{
    u8 out = 0x40;
    CodePageUnicodeToByte(BuiltinUnicodeToByteTable(), &out, static_cast<u16>(c));
    return out;
}
}  // namespace

void I5250SendQueryReply(I5250Session* s)
{
    I5250BuildDisplayHeader(s, 0, 3);
    static constexpr u8 kHead[] = {0x00, 0x00, 0x88, 0x00, 0x3A, kClass, 0x70, 0x80, 0x06, 0x00, 0x04, 0x02, 0x00};
    for (u8 b : kHead)
        I5250Put(s, b);
    for (int i = 0; i < 16; ++i)
        I5250Put(s, 0);
    I5250Put(s, 0x01);
    for (int i = 0; i < 7; ++i)
        I5250Put(s, Ebcdic(s->deviceCode[i]));
    I5250Put(s, 0x02);
    I5250Put16(s, 0);
    I5250Put16(s, static_cast<u16>(s->serial >> 16));
    I5250Put16(s, static_cast<u16>(s->serial));
    I5250Put16(s, s->maxInputFields);
    for (int i = 0; i < 3; ++i)
        I5250Put(s, 0);
    for (u8 b : s->capabilities)
        I5250Put(s, b);
    for (int i = 0; i < 6; ++i)
        I5250Put(s, 0);
    I5250SendRecord(s);
}

u32 I5250WriteStructuredField(I5250Session* s, const u8*& p, int& remaining)
{
    do {
        if (remaining < 5)
            return kSensePremature;
        const int length = p[0] << 8 | p[1];
        if (length > remaining)
            return kSenseLength;
        const u8 cls = p[2], type = p[3];
        if (cls != kClass || type < 0x30 || type > 0x70)
            return kSenseType;
        const u8* field = p;
        p += length < 4 ? remaining : length;
        remaining -= length < 4 ? remaining : length;
        if (length < 4)
            return kSenseLength;
        u32 e = 0;
        if (type == 0x70) {
            if (length != 5)
                return kSenseLength;
            if (field[4] != 0)
                return kSenseParameter;
            I5250SendQueryReply(s);
        } else if (type == 0x32) {
            if (length != 8 || field[4] != 0x00 || field[5] != 0x80 || field[6] != 0x00 || field[7] != 0x00)
                return kSenseParameter;
            I5250SetInputState(s, 3);
        } else if (type == 0x38 || type > 0x3B) {
            return kSenseType;
        } else {
            e = I5250TextAssistField(s, field, length);
        }
        if (e)
            return e;
    } while (remaining > 0 && p[0] != 0x04);
    return 0;
}
