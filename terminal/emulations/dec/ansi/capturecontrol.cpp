// The consoles' capture control, ESC P [n] z name ; : 0 starts a new capture file, 1
// appends to one. The capture service takes only a plain file name in the working
// directory, the rule of every file a host names.
#include "terminal/core/host/capture.h"
#include "terminal/emulations/dec/ansi/ansiconsole.h"
#include "terminal/emulations/dec/params.h"

namespace {
constexpr int kCaptureNameMax = 127;
}

void AnsiCaptureControl()
{
    const int mode = Param(1);
    if (ParamMarker() != ' ' || ParamCount() > 1 || (mode != 0 && mode != 1))
        return;
    u8 name[kCaptureNameMax];
    int n = 0;
    for (;;) {
        const int b = AnsiNextSequenceByte();
        if (b == 0 || b == ';')
            break;
        if (n < kCaptureNameMax)
            name[n++] = static_cast<u8>(b);
    }
    if (n > 0)
        OpenHostCaptureFile(mode, name, n);
}
