#include "terminal/emulations/wyse/lifecycle.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/emulations/wyse/charsets/charsets.h"
#include "terminal/emulations/wyse/settings/setupcopy.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/settings/zara.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"
#include "terminal/emulations/wyse/platform.h"

bool WyseStart()
{
    HideCursorForUpdate();
    WyseClearRepaintMap();
    if (!WyseBuildStore()) {
        LeaveWyse();
        return false;
    }
    WyStore.columnsLast = 79;
    WyseInitTerminal();
    return true;
}

void LeaveWyse()
{
    HideCursorForUpdate();
    WyseClearRepaintMap();
    WyMode.reverseScreen = 0;
    WyseFreeScreenStore();
    WyStore.id = 0;
    SetScreenRowCount(Screen.rows > 0 ? Screen.rows : 24);
    CursorDisabled = 0;
    PaintSettings.displayOff = 0;
    InvalidateTerminal();
}

void WyseResetModes()
{
    WyseSetDefaults();
    WyseStoreState& s = WyStore;
    s.rowsInUse = 26;
    s.lastColumnAllowed = 131;
    s.pageMemorySize = 169;
    s.pageCount = 0;
    s.cursorColumn = s.cursorLine = 0;
    s.regionFirst = s.regionLast = 0;
    s.shownPage = s.active = s.splitMode = 0;
    s.labelRow = 25;
    s.attrMode60 = false;
    const u8 marginColumn = WyMode.marginColumn;
    WyMode = WyseModeState{};
    WyMode.marginColumn = marginColumn;
    WyMode.savedAttrType = WySet.attrType;
    WyseFillSetupCopy();
}

void WyseInitTerminal()
{
    WyseResetModes();
    LoadWyseProfile();
    WyMode.savedAttrType = WySet.attrType;
    WyseFillSetupCopy();
    WyseResetMessageAttrs();
    WyStore.attrMode60 = WyIsWy60();
    WyStore.displaySize = WyseValidDisplaySize(WySet.dispSize);
    WyseResetCharsets();
    WyseRebuildScreen(true);
}

void WyseSetColumns(int lastColumn)
{
    WyseStoreState& s = WyStore;
    if (lastColumn == s.columnsLast || (WySet.economy && lastColumn > 79))
        return;
    s.columnsLast = lastColumn > 79 ? 131 : 79;
    Screen.lastColumn = static_cast<i16>(s.columnsLast);
    Screen.horizontalOffset = 0;
    if (WySet.widthClear) {
        WyseRebuildScreen(false);
        return;
    }
    WyseSetRowCount();
    WyseUpdateCursor();
    WyseLayoutStatusLine(false);
    WyseRepaintAll();
}

void WyseSetDisplayFlag(u8 reverse)
{
    if (WyMode.reverseScreen == reverse)
        return;
    WyMode.reverseScreen = reverse;
    WyseRepaintAll();
}

void WyseSetScreenDisplay(bool on)
{
    PaintSettings.displayOff = on ? 0 : 1;
    WyseRepaintAll();
}
