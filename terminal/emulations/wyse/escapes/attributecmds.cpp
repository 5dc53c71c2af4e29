// Video attributes (ESC G), the message fields' attributes and colour forms (ESC A),
// colour codes (ESC %) and programmed attribute colours (ESC m).
#include "terminal/core/host/hostio.h"
#include "terminal/emulations/wyse/colours/attributes.h"
#include "terminal/emulations/wyse/escapes/escapes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/lifecycle.h"
#include "terminal/emulations/wyse/screen/cursor.h"
#include "terminal/emulations/wyse/screen/labels.h"
#include "terminal/emulations/wyse/screen/screenops.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

void SetLineAttribute(int code)
{
    static const u8 kLine[6] = {
        0, kWyDoubleWidth, kWyTopHalf, kWyBottomHalf, kWyTopHalf | kWyDoubleWidth, kWyBottomHalf | kWyDoubleWidth};
    ScreenLineRecord* line = WyLine(WyStore.cursorLine);
    if (!line)
        return;
    const u8 value = kLine[code - '@'];
    if (WyseLineAttribute(line) == value)
        return;
    WyseLineAttribute(line) = value;
    WyseSetLineWidth();
    WyseRepaintPageSpan(WyStore.cursorLine, 0, kWyseCells - 1);
}

// The embedded model: the cursor cell becomes an attribute cell (or a plain blank) and
// the cursor moves on as after a written character.
void PutAttributeCell(int attribute)
{
    ScreenCell* cell = WyCursorCell();
    if (!cell)
        return;
    if (attribute < 0)
        *cell = ScreenCell{' ', 0, static_cast<u8>(cell->rendition & kWyKeep), 0};
    else
        *cell = ScreenCell{' ', 0,
                           static_cast<u8>((cell->rendition & (kWyKeep | kWyAttrCell)) | kWyAttrCell | attribute),
                           0};
    WyseRepaintPageLineRun(WyStore.cursorLine, WyStore.cursorColumn);
    WyseAdvanceAfterWrite();
}

}  // namespace

void WyseEscVideoAttribute()
{
    const int code = WyseReadHostByte();
    if (code < 0)
        return;
    if (!WyseSkipProtectedForward()) {
        RequestBell();
        return;
    }
    if (code >= '@' && code <= 'E') {
        if (WyIsPlusOr60())
            SetLineAttribute(code);
        return;
    }
    const int attribute = WyseVideoCodeAttribute(code);
    if (attribute < 0)
        return;
    if (WyStore.attrMode60) {
        WyMode.write.unprotOverrideOn = 0;
        if (code == '0')
            WyMode.write.protOverrideOn = 0;
        WyseApplyAttributeRun(static_cast<u8>(attribute));
        return;
    }
    PutAttributeCell(code == ' ' ? -1 : attribute);
}

void WyseEscMessageAttribute()
{
    const int n = WyseReadHostByte();
    if (n < 0)
        return;
    if (WyStore.attrMode60 && WySet.useColour && n >= 'a' && n <= 'y') {
        WyseMessageColourForm(n);
        return;
    }
    const int code = WyseReadHostByte();
    if (code < 0)
        return;
    const int attribute = WyseVideoCodeAttribute(code);
    if (attribute < 0)
        return;
    const bool embedded = !WyStore.attrMode60;
    const u8 cellByte = static_cast<u8>(embedded ? kWyAttrCell | attribute : attribute);
    switch (n & 3) {
    case 0:
        if (embedded) {
            WyMode.dataAttr = cellByte;
            WyMode.dataCode = static_cast<u8>(code);
            WyseApplyMessageAttributes();
        } else if (attribute == 0 || attribute == kWyReverse) {
            WyseSetDisplayFlag(attribute ? 1 : 0);
        }
        break;
    case 1:
        WyMode.labelCode = static_cast<u8>(code);
        WyseSetLabelAttribute(embedded && code == ' ' ? 0 : cellByte);
        break;
    case 2:
        WyMode.leftAttr = cellByte;
        WyMode.leftCode = static_cast<u8>(code);
        WyseApplyMessageAttributes();
        break;
    default:
        WyMode.rightAttr = embedded && code == ' ' ? 0 : cellByte;
        WyMode.rightCode = static_cast<u8>(code);
        WyseApplyMessageAttributes();
        break;
    }
}

void WyseEscColourCode()
{
    const int c = WyseReadHostByte();
    if (c < 0 || WyIsWy60())
        return;
    if (WySet.useColour && c >= '0' && c <= '?')
        WyseApplyColourCode(c - '0');
}

void WyseEscProgramColour()
{
    if (WyStore.attrMode60)
        return;
    const int a = WyseReadHostByte();
    if (a < 0)
        return;
    const int colour = WyseReadHostByte();
    if (colour < 0)
        return;
    const int plane = WyseReadHostByte();
    if (plane < 0 || !WySet.useColour)
        return;
    if (WyseProgramAttributeColour(a & 0x0F, colour, plane & 3))
        WyseRepaintAll();
}
