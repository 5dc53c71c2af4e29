// What the TVI 950 and 955 hand the core: their per-byte entry on the core's reader,
// their own screen of 26 window rows over the page memory, painted by their row painter
// with the caret over their cursor, their keyboard and their profile section.
#include "terminal/emulations/tvi/family.h"

#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/tvi/host/hostpath.h"
#include "terminal/emulations/tvi/keys/tvikeys.h"
#include "terminal/emulations/tvi/lifecycle.h"
#include "terminal/emulations/tvi/output/output.h"
#include "terminal/emulations/tvi/screen/display.h"
#include "terminal/emulations/tvi/screen/screenops.h"
#include "terminal/emulations/tvi/screen/status.h"
#include "terminal/emulations/tvi/settings/tviprofile.h"
#include "terminal/emulations/tvi/settings/tvisetup.h"
#include "terminal/emulations/tvi/store/lines.h"
#include "terminal/emulations/tvi/window/runtvi.h"

namespace {

bool Running()
{
    return Tvi.active && TviLinesAllocated();
}

// Under ESC k typed bytes stay on the screen instead of going to the host.
bool TypingStaysLocal()
{
    return Running() && Tvi.set.localEditKeys;
}

bool KeyboardInhibited()
{
    return Running() && Tvi.keyboardLocked;
}

void ClearScreen()
{
    if (!Running())
        return;
    TviClearAll();
    TviHome();
}

void Reset()
{
    if (Running())
        TviResetTerminal();
}

void PrintScreen()
{
    TviPrintPageRows();
}

void LoadSettings()
{
    if (Running())
        LoadTviSettings();
}

void SaveSettings(int fullReload)
{
    if (Running())
        SaveTviSettings(fullReload);
}

const wchar16* StatusBarName(u8)
{
    return TviStatusName();
}

constexpr DisplayHooks kDisplay{
    .repaintRegion = TviRepaintRegion,
    .textCursor = TviTextCursor,
    .columns = TviWindowColumns,
    .backgroundIndex = TviBackgroundIndex,
    .dimensions = TviDimensions,
    .screenText = TviScreenText,
    .selectionArea = TviSelectionArea,
    .selectionRow = TviSelectionRow,
    .cellChar = TviCellChar,
};

}  // namespace

const FamilyHooks TviFamily{
    .name = "TVI 950/955",
    .emulations = EmulationBit(kEmuTvi955) | EmulationBit(kEmuTvi950),
    .processChar = TviProcessChar,
    .printerControllerChar = TviProcessChar,
    .idleWork = TviIdleWork,
    .typingStaysLocal = TypingStaysLocal,
    .keyboardInhibited = KeyboardInhibited,
    .movesOwnCursor = true,
    .display = &kDisplay,
    .activate = TviActivate,
    .deactivate = TviDeactivate,
    .reapply = TviReapply,
    .layoutStatusBar = TviLayoutStatusBar,
    .statusBarName = StatusBarName,
    .clearScreen = ClearScreen,
    .reset = Reset,
    .idleRefresh = TviIdleRefresh,
    .redrawBlinking = TviRedrawBlinking,
    .printScreen = PrintScreen,
    .dispatchKey = TviKeyHandler,
    .loadSettings = LoadSettings,
    .saveSettings = SaveSettings,
    .applyPalette = TviApplyPalette,
    .setup = &TviFamilySetup,
};
