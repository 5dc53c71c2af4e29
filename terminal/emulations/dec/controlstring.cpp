#include "terminal/emulations/dec/controlstring.h"

#include "terminal/core/host/hostread.h"
#include "terminal/core/host/pushback.h"

int ReadStringByte()
{
    const int b = HostReadSequenceByte();
    if (b < 0)
        return kStringEnd;
    if (b == 0x1B || b == 0x18 || b == 0x1A) {
        PushBackInputByte(static_cast<u8>(b));
        return kStringEnd;
    }
    if (b == 0x9C)
        return kStringEnd;
    return b;
}

void SkipControlString()
{
    while (ReadStringByte() != kStringEnd) {
    }
}

int ReadStringText(u8* buffer, int capacity)
{
    int n = 0;
    for (;;) {
        const int b = ReadStringByte();
        if (b == kStringEnd)
            return n;
        if (n < capacity)
            buffer[n++] = static_cast<u8>(b);
    }
}

void CaptureControlString()
{
    SkipControlString();
}
