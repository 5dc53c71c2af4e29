// Modes the host switches: keyboard lock, protect and write protect, block mode and
// duplex, graphics, auto scroll, monitor, local edit, reverse screen and the screen
// features of ESC `.
#include "terminal/settings/store/connsettings.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/emulations/wyse/escapes/escapes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/lifecycle.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

// The protected-field look changed: the protected colour override ends with it.
void SetProtectedAttribute(u8 value)
{
    if (WySet.protAttr == value && !WyMode.write.protOverrideOn)
        return;
    WySet.protAttr = value;
    WyMode.write.protOverrideOn = 0;
    if (!WyStore.attrMode60)
        WyseRepaintAll();
}

// ESC ` "H": the cursor's line keeps its place when the page scrolls. Only while the
// page is shown whole and other lines are left to scroll.
void LockCursorLine()
{
    WyseStoreState& s = WyStore;
    const WyseWindowRecord& w = WyActiveWindow();
    if (w.state.length != w.rows)
        return;
    int unlocked = 0;
    for (int line = s.regionFirst; line <= s.regionLast; ++line)
        if (line != s.cursorLine && !WyseLineLocked(WyLine(line)))
            ++unlocked;
    if (unlocked < 2)
        return;
    WyLine(s.cursorLine)->header[1] = 1;
    s.anyLocked = true;
}

void UnlockAllLines()
{
    for (int line = 0; line < kWysePageMemoryLines; ++line)
        if (ScreenLineRecord* record = WyLine(line))
            record->header[1] = 0;
    WyStore.anyLocked = false;
}

void CursorShape(u8 style)
{
    PaintSettings.cursorStyle = style;
    CursorDisabled = 0;
}

}  // namespace

void WyseEscUnlockKeyboard()
{
    WyMode.keyboardLocked = 0;
    WyseShowKeyboardField();
}

void WyseEscLockKeyboard()
{
    WyMode.keyboardLocked = 1;
    WyseShowKeyboardField();
}

void WyseEscProtectOn()
{
    WyMode.protectMode = 1;
    WyActiveWindow().state.protectMode = 1;
    WyseShowProtectField();
    WyseShowWriteProtectField();
    WyseSkipProtectedForward();
}

void WyseEscProtectOff()
{
    WyMode.protectMode = 0;
    WyActiveWindow().state.protectMode = 0;
    WyseShowProtectField();
    WyseShowWriteProtectField();
}

void WyseEscWriteProtectOff()
{
    WyMode.writeProtect = 0;
    WyseShowWriteProtectField();
}

void WyseEscWriteProtectOn()
{
    WyMode.writeProtect = 1;
    WyseShowWriteProtectField();
}

void WyseEscBlockModeOn()
{
    WySet.inEdit = 1;
    WyseShowCommModeField();
}

void WyseEscBlockModeOff()
{
    WySet.inEdit = 0;
    WyseShowCommModeField();
}

void WyseEscDuplex()
{
    const int c = WyseReadHostByte();
    if (c < 0)
        return;
    LocalEcho = c == 'H' ? 1 : 0;
    WyseShowCommModeField();
}

void WyseEscGraphics()
{
    const int c = WyseReadHostByte();
    if (c < 0)
        return;
    if (c == 0x02)
        WyMode.graphics = 1;
    else if (c == 0x03)
        WyMode.graphics = 0;
    else
        WysePutChar(c >= 0x80 ? static_cast<unsigned>(c) : static_cast<unsigned>(c & 0x1F));
}

void WyseEscAutoScrollOff()
{
    WySet.autoScroll = 0;
}

void WyseEscAutoScrollOn()
{
    WySet.autoScroll = 1;
}

void WyseEscMonitorOn()
{
    WyMode.monitor = 1;
    WyMode.monitorEscape = 0;
    WyseShowTransmitField();
}

void WyseEscLocalEditOn()
{
    WyMode.localEdit = 1;
}

void WyseEscLocalEditOff()
{
    WyMode.localEdit = 0;
}

void WyseEscReverseScreen()
{
    const int c = WyseReadHostByte();
    if (c == '0' || c == '1')
        WyseSetDisplayFlag(static_cast<u8>(c - '0'));
}

void WyseEscScreenFeatures()
{
    const int c = WyseReadHostByte();
    if (c < 0)
        return;
    switch (c) {
    case '0': CursorDisabled = 1; return;
    case '1': CursorDisabled = 0; return;
    case '2': CursorShape(3); return;
    case '3': CursorShape(0); return;
    case '4': CursorShape(2); return;
    case '5': CursorShape(1); return;
    case '6': SetProtectedAttribute(4); return;
    case '7': SetProtectedAttribute(1); return;
    case '8': WyseSetScreenDisplay(false); return;
    case '9': WyseSetScreenDisplay(true); return;
    case ':': WyseSetColumns(79); return;
    case ';': WyseSetColumns(131); return;
    default: break;
    }
    if (WyIs(kEmuWy50)) {
        if (c >= '@' && (c & 1))
            SetProtectedAttribute(0);
        return;
    }
    switch (c) {
    case 'A': SetProtectedAttribute(0); break;
    case 'B': SetProtectedAttribute(static_cast<u8>(WySet.protAttr | 0x10)); break;
    case 'C': SetProtectedAttribute(static_cast<u8>(WySet.protAttr | 0x02)); break;
    case 'E': SetProtectedAttribute(static_cast<u8>(WySet.protAttr | 0x08)); break;
    case 'F': SetProtectedAttribute(static_cast<u8>(WySet.protAttr | 0x04)); break;
    case 'G': SetProtectedAttribute(static_cast<u8>(WySet.protAttr | 0x01)); break;
    case 'H': LockCursorLine(); break;
    case 'I': UnlockAllLines(); break;
    case 'J':
        WySet.marginBell = 1;
        WyMode.marginColumn = static_cast<u8>(WyStore.cursorColumn);
        break;
    case 'a':
        WySet.stat = 2;
        WyseLayoutStatusLine(false);
        break;
    case 'b':
        WySet.stat = 1;
        WyseLayoutStatusLine(false);
        break;
    case 'c':
        WySet.stat = 0;
        WyseLayoutStatusLine(false);
        break;
    default: break;
    }
}
