// The Wyse and TVI emulations are not built yet and are never active, so their
// keyboard, label lines and status fields have nothing to act on. The Alt keys and the
// character conversion already do what they will do.
#include "terminal/emulations/wyse-tvi/keyservices.h"

#include "terminal/core/host/hostio.h"

void TviKeyHandler(int, int) {}

void TviSendFunctionKey(int code)
{
    const u16 units[] = {0x01, static_cast<u16>(code & 0xFF), 0x0D};
    HostSendString(units, 3);
}

void WyseSetShiftLabelLine(int) {}
void WyseShowKeyboardField() {}
void WyseRepaintStatusLine() {}

int WyseUnicodeToHostChar(int c)
{
    return c >= 0 && c < 256 ? c : -1;
}
