#include "terminal/emulations/dec/controls/controlstring.h"

#include "terminal/core/host/capture.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/pushback.h"
#include "terminal/emulations/dec/params.h"

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
    const int mode = Param(1);
    if (mode != 0 && mode != 1) {
        SkipControlString();
        return;
    }
    // The name runs to a NUL or ";"; the data after it is the capture's, read by the
    // host path until the string ends.
    u8 name[kHostCaptureNameMax];
    int n = 0;
    for (;;) {
        const int b = ReadStringByte();
        if (b == kStringEnd)
            return;  // the string ended before its data: nothing to capture
        if (b == 0 || b == ';')
            break;
        if (n < kHostCaptureNameMax)
            name[n++] = static_cast<u8>(b);
    }
    // A capture that cannot start leaves its data unseen all the same.
    if (!StartHostCapture(mode, name, n))
        SkipControlString();
}
