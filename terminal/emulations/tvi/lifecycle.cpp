#include "terminal/emulations/tvi/lifecycle.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/tvi/output/output.h"
#include "terminal/emulations/tvi/screen/screenops.h"
#include "terminal/emulations/tvi/screen/status.h"
#include "terminal/emulations/tvi/services.h"
#include "terminal/emulations/tvi/settings/tvidefaults.h"
#include "terminal/emulations/tvi/settings/tviprofile.h"
#include "terminal/emulations/tvi/store/lines.h"

bool TviAutoLineFeed = false;

namespace {

// Geometry the profile may have given: only values a TVI can have are kept.
void SettleGeometry()
{
    TviCheckGeometry(Tvi.set);
    TviSettings& s = Tvi.set;
    if (s.displayHeight > s.rowsPerPage - 1)
        s.displayHeight = s.rowsPerPage - 1;
    if (s.marginBellColumn < 0 || s.marginBellColumn > 131)
        s.marginBellColumn = TviSettings{}.marginBellColumn;
    if (Tvi.currentPage >= s.pages)
        Tvi.currentPage = 0;
}

void DefaultTabs()
{
    for (int c = 0; c < kTviCells; ++c)
        TviTabStops[c] = c > 0 && c % 8 == 0 ? 1 : 0;
}

}  // namespace

void TviResetModes()
{
    const u32 runTime = Tvi.set.options & kTviOptRunTime;
    const bool autoPage = Tvi.autoPage, reverse = Tvi.reverseScreen;
    const TviAttrColours colours = Tvi.colours;
    const HlsPalette palette = Tvi.palette;
    const bool tvi950 = Tvi.tvi950, active = Tvi.active;
    Tvi.set = TviSettings{};
    Tvi.set.options |= runTime;
    for (int i = 0; i < 4; ++i) {
        Tvi.pageMap[i] = static_cast<u8>(i);
        Tvi.savedCursor[i][0] = Tvi.savedCursor[i][1] = 0;
    }
    Tvi.currentPage = 0;
    Tvi.cursorRow = Tvi.cursorColumn = 0;
    Tvi.scrollOffset = 0;
    Tvi.viewReturn = -1;
    Tvi.regionTop = 0;
    Tvi.regionBottom = 23;
    Tvi.wrapPending = false;
    Tvi.graphics = false;
    Tvi.screenOn = true;
    Tvi.keyboardLocked = false;
    Tvi.intensityInverted = false;
    Tvi.cursorStyle = 1;
    Tvi.previousByte = 0;
    Tvi.monitorEscape = false;
    Tvi.attrPending = false;
    Tvi.loadLine = 0;
    Tvi.editKey1Lf = false;
    Tvi.escKeySends = true;
    Tvi.breakKey = false;
    Tvi.autoPage = autoPage;
    Tvi.reverseScreen = reverse;
    Tvi.colours = colours;
    Tvi.palette = palette;
    Tvi.tvi950 = tvi950;
    Tvi.active = active;
    TviAutoLineFeed = false;
    Tvi.functionKeys = TviFunctionKeyTable{};
    Tvi.editKeys = TviEditKeyTable{};
    DefaultTabs();
}

void TviClearAll()
{
    for (int i = 0; i < 4; ++i)
        Tvi.pageMap[i] = static_cast<u8>(i);
    for (int i = 0; i < kTviLines; ++i) {
        TviLine* line = TviLineAt(i);
        for (ScreenCell& cell : line->cells)
            cell = TviBlankCell(0);
    }
    Tvi.currentPage = 0;
    for (auto& saved : Tvi.savedCursor)
        saved[0] = saved[1] = 0;
    Tvi.scrollOffset = 0;
    Tvi.viewReturn = -1;
    Tvi.loadLine = 0;
    Tvi.reverseScreen = false;
    if (Tvi.set.options & kTviOptBlankStatus) {
        Tvi.set.topRow = kTviBlankLine;
        Tvi.set.bottomRow = kTviBlankLine;
    } else {
        Tvi.set.topRow = kTviStatusLine;
        Tvi.set.bottomRow = kTviBlankLine;
    }
    TviWriteRuler();
    TviApplyStatusAttribute();
    for (int line = kTviUserLine; line <= kTviUserLine2; ++line)
        TviLineAt(line)->cells[0].rendition |= kTviAttrStart;
    TviShowIndicators();
    TviMarkAll();
}

void TviFullReset(bool readProfile)
{
    if (!TviLinesAllocated())
        return;
    TviResetModes();
    TviDefaultKeys(true, true);
    if (readProfile)
        LoadTviSettings();
    SettleGeometry();
    TviClearAll();
    Tvi.regionTop = 0;
    Tvi.regionBottom = Tvi.set.displayHeight;
    TviHome();
    TviScreenSizeChanged();
    TviShowInsertState();
}

void TviResetTerminal()
{
    TviFullReset(true);
}

bool TviStartEngine(u8 id)
{
    if (!TviAllocateLines())
        return false;
    // A start is a power-on: nothing of an earlier run survives.
    Tvi = TviState{};
    Tvi.active = true;
    Tvi.tvi950 = id == kEmuTvi950;
    TviDefaultAttrColours(kTviLive);
    TviDefaultPalette(kTviLive);
    for (int i = 0; i < kTviLines; ++i)
        TviLineAt(i)->locked = 0;
    Tvi.holdPainting = true;
    TviFullReset(true);
    Tvi.holdPainting = false;
    TviMarkAll();
    return true;
}

void TviStopEngine()
{
    TviEndPrintForStop();
    Tvi.active = false;
    TviFreeLines();
}

void TviSetPageSize(int pages)
{
    if (pages != 1 && pages != 2 && pages != 4)
        return;
    Tvi.set.pages = pages;
    Tvi.set.rowsPerPage = kTviPageLines / pages;
    Tvi.currentPage = 0;
    TviClearAll();
    if (Tvi.set.displayHeight > Tvi.set.rowsPerPage - 1)
        Tvi.set.displayHeight = Tvi.set.rowsPerPage - 1;
    Tvi.regionTop = 0;
    Tvi.regionBottom = Tvi.set.rowsPerPage - 1;
    TviHome();
    TviScreenSizeChanged();
}

void TviSetColumns(int lastColumn)
{
    if (lastColumn != 79 && lastColumn != 131)
        return;
    if (lastColumn == Tvi.set.lastColumn)
        return;
    Tvi.set.lastColumn = lastColumn;
    TviHome();
    TviClearPage(0, false);
    TviScreenSizeChanged();
    TviMarkAll();
}

void TviSetTvi950(bool on)
{
    Tvi.tvi950 = on;
    EmulationId = on ? kEmuTvi950 : kEmuTvi955;
    TviShowStatusName();
}
