// The per-byte entry and the character writer.
#include "terminal/core/base/emulationids.h"
#include "terminal/core/host/hostio.h"
#include "terminal/emulations/wyse/charsets/charsets.h"
#include "terminal/emulations/wyse/colours/attributes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/screen/cursor.h"
#include "terminal/emulations/wyse/screen/screenops.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {
constexpr unsigned kEsc = 0x1B, kDel = 0x7F;

bool EscapeShownInMonitor()
{
    return (WyIs(kEmuAddsA2) || WyIs(kEmuHz1500)) && !WySet.enhance;
}

}  // namespace

bool WysePutChar(unsigned b)
{
    WyseStoreState& s = WyStore;
    ScreenCell* cell = WyCursorCell();
    if (!cell)
        return false;
    if (WyMode.protectMode && WyseIsProtectedCell(*cell)) {
        RequestBell();
        if (!WyseSkipProtectedForward())
            return false;
        cell = WyCursorCell();
    }
    if (WyMode.insert)
        WyseInsertCell(s.cursorLine, s.cursorColumn, s.blankChar);

    u8 ch = static_cast<u8>(b & 0x7F);
    u8 flags = 0;
    if (WyMode.graphics && !WyMode.monitor && b < 0x80)
        ch = static_cast<u8>(b & 0x1F);
    if (s.attrMode60) {
        flags = static_cast<u8>(WyseCurrentGlyphFlags() | (b >= 0x80 ? 1 : 0));
    } else if (WyMode.tviGraphics && !WyMode.monitor) {
        ch = static_cast<u8>((b & 0x1F) + 0x40);
        flags = 1;
    }
    const bool wasAttribute = (cell->rendition & kWyAttrCell) != 0;
    u8 rendition = static_cast<u8>((cell->rendition & kWyKeep) | (WyMode.writeProtect ? kWyProtected : 0));
    u8 colour = 0;
    if (s.attrMode60) {
        rendition = static_cast<u8>(rendition | (WyMode.write.writeAttr & kWyVideoBits));
        colour = WyseCurrentAttributeColour(rendition, false);
    }
    *cell = ScreenCell{ch, colour, rendition, flags};
    if (wasAttribute)
        WyseRepaintPageLineRun(s.cursorLine, s.cursorColumn);
    else
        WyseRepaintPageSpan(s.cursorLine, s.cursorColumn, s.cursorColumn);
    WyseAdvanceAfterWrite();
    if (WySet.marginBell == 1 && s.cursorColumn == WyMode.marginColumn) {
        RequestBell();
        return true;
    }
    return false;
}

void WyseProcessChar(unsigned b)
{
    if (!WyseStoreActive())
        return;
    WyseSyncCursorRow();
    if (WyMode.monitor) {
        if (!WyMode.monitorEscape) {
            if (b == kEsc && !EscapeShownInMonitor())
                WyMode.monitorEscape = 1;
            else
                WysePutChar(b);
            return;
        }
        WyMode.monitorEscape = 0;
        if (b == 'X' || b == 'u') {
            WyMode.monitor = 0;
            WyseShowTransmitField();
            return;
        }
        WysePutChar(kEsc);
        WysePutChar(b);
        return;
    }
    if (b >= 0x20) {
        if (b == kDel) {
            if (WySet.destBs && WyIsPlusOr60()) {
                WyseCursorLeft();
                WysePutChar(' ');
                WyseCursorLeft();
            }
            return;
        }
        if (b == '~' && WyIs(kEmuHz1500)) {
            WyseHz1500LeadIn();
            return;
        }
        WysePutChar(b);
        return;
    }
    WyseControlDispatch(static_cast<int>(b));
}
