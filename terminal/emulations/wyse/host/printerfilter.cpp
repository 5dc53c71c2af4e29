// Printer-controller mode: received bytes go to the printer until the personality's
// closing sequence (ESC A or ESC a for the TeleVideos, ESC 4 for the ADDS A2, ESC d and
// its argument for the others) or DC4; with display (mode 6) they reach the screen too.
#include "terminal/comms/printing/printing.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/wyse/escapes/escapes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {
constexpr int kEsc = 0x1B, kDc2 = 0x12, kDc4 = 0x14;

bool Shown(int mode)
{
    return WyMode.displayWhilePrinting || mode != 2;
}

// The byte after ESC is not a closing sequence: ESC is printed and the byte read again.
int PrintEscapeAndGoOn(int mode)
{
    WyMode.printerEscape = 0;
    PrintChar(kEsc);
    return Shown(mode) ? kEsc : -1;
}

int EndByClosingSequence(int mode)
{
    WyseEndPrinting();
    return mode == 2 ? -1 : kDc4;
}

}  // namespace

void WyseControllerOn()
{
    StartPrinterController();
    WyseShowPrintField();
}

void WysePrintWithDisplay()
{
    StartPrintWithDisplay();
    WyseShowPrintField();
}

void WyseEndPrinting()
{
    WyMode.printerEscape = 0;
    StopPrinting();
    WyseShowPrintField();
}

int WysePrinterFilter(int b)
{
    const int mode = CurrentPrintMode();
    if (mode != 2 && mode != 6)
        return b;
    switch (WyMode.printerEscape) {
    case 1:
        if ((WyIsTvi() && (b == 'A' || b == 'a')) || (WyIs(kEmuAddsA2) && b == '4'))
            return EndByClosingSequence(mode);
        if (!WyIsTvi() && b == 'd') {
            WyMode.printerEscape = 2;
            return -1;
        }
        PushBackInputByte(static_cast<u8>(b));
        return PrintEscapeAndGoOn(mode);
    case 2:
        if (b == '#' || b == ' ' || b == '!' || b == '$') {
            // The print controls end or change the print path themselves.
            PushBackInputByte(static_cast<u8>(b));
            WyMode.printerEscape = 0;
            WyseEscPrintControl();
            return -1;
        }
        PushBackInputByte(static_cast<u8>(b));
        PushBackInputByte('d');
        return PrintEscapeAndGoOn(mode);
    default: break;
    }
    if (b == kEsc) {
        WyMode.printerEscape = 1;
        return -1;
    }
    if (b == kDc4)
        return EndByClosingSequence(mode);
    if (b == kDc2) {
        WysePrintWithDisplay();
        return kDc2;
    }
    PrintChar(static_cast<u16>(b));
    return WyMode.displayWhilePrinting || mode == 6 ? b : -1;
}
