// Block sends, markers, the character at the cursor, region prints and the print and
// auxiliary-port controls.
#include "terminal/comms/printing/printing.h"
#include "terminal/emulations/wyse/escapes/escapes.h"
#include "terminal/emulations/wyse/platform.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/screen/printregion.h"
#include "terminal/emulations/wyse/screen/screensend.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

void SendFromLine(int startLine, bool unprotectedOnly)
{
    const WyseStoreState& s = WyStore;
    WyseSendScreen(startLine, 0, s.cursorLine, s.cursorColumn, unprotectedOnly, false);
}

void SendMarked(bool unprotectedOnly)
{
    const WyseStoreState& s = WyStore;
    WyseSendScreen(s.cursorLine, s.cursorColumn, s.regionLast, s.lastColumnAllowed, unprotectedOnly, true);
}

void AuxiliaryOff(bool clearDisplay)
{
    WyMode.auxPort = WyMode.auxPrint = 0;
    if (clearDisplay)
        WyMode.displayWhilePrinting = 0;
    WyseEndPrinting();
    RefreshPrinterStatus();
    WyseShowPrintField();
}

void AuxiliaryOn(bool display)
{
    WyMode.auxPort = WyMode.auxPrint = 1;
    if (display)
        WyMode.displayWhilePrinting = 1;
    WyseControllerOn();
}

}  // namespace

void WyseEscSendLineUnprotected()
{
    SendFromLine(WyStore.cursorLine, true);
}

void WyseEscSendPageUnprotected()
{
    SendFromLine(WyseSendStartLine(), true);
}

void WyseEscSendLine()
{
    SendFromLine(WyStore.cursorLine, false);
}

void WyseEscSendPage()
{
    SendFromLine(WyseSendStartLine(), false);
}

void WyseEscMarkStart()
{
    WysePutChar(0x02);
}

void WyseEscMarkEnd()
{
    WysePutChar(0x03);
}

void WyseEscSendMarked()
{
    SendMarked(true);
}

void WyseEscSendMarkedAll()
{
    SendMarked(false);
}

void WyseEscSendCharacter()
{
    const ScreenCell* cell = WyCursorCell();
    if (!cell)
        return;
    if (!WyStore.attrMode60 && (cell->rendition & kWyAttrCell)) {
        const u8 r = cell->rendition;
        u8 b = 0x80;
        if (r & kWyReverse)
            b |= 0x10;
        if (r & kWyUnderline)
            b |= 0x08;
        if (r & kWyBlank)
            b |= 0x04;
        if (r & kWyBlink)
            b |= 0x02;
        if (r & kWyDim)
            b |= 0x01;
        WyseSendByte(b);
        return;
    }
    WyseSendByte(static_cast<u8>((cell->ch & 0x7F) | ((cell->rendition & kWyProtected) ? 0x80 : 0)));
}

void WyseEscPrintRegionCrLf()
{
    WysePrintRegion(true);
}

void WyseEscPrintRegion()
{
    WysePrintRegion(false);
}

void WyseEscPrintControl()
{
    const int c = WyseReadHostByte();
    switch (c) {
    case ' ': AuxiliaryOff(false); break;
    case '!': AuxiliaryOn(false); break;
    case '"': {
        static const u16 kState[3] = {'6', '0', 0x0D};
        WyseSendBytes(kState, 3);
        break;
    }
    case '#': WyseControllerOn(); break;
    case '$': AuxiliaryOff(true); break;
    case '%': AuxiliaryOn(true); break;
    case '&': WyMode.regionStart = 0; break;
    case '\'': WyMode.regionStart = 1; break;
    case '*': WySet.autoPage = 0; break;
    case '+': WySet.autoPage = 1; break;
    case '.': WySet.autoWrap = 0; break;
    case '/': WySet.autoWrap = 1; break;
    case '0': WyseDirectPortPrinting(nullptr); break;
    case '1': WyseDirectPortPrinting(VXT("COM1")); break;
    default: break;
    }
}
