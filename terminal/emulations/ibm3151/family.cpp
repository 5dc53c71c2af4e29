// What the IBM 3151 hands the core: its per-byte entry on the core's reader (typed bytes
// come back to it in Block and Character mode), its own screen of pages painted by its
// row painter with the caret over its cursor, its keyboard, and its profile section.
#include "terminal/emulations/ibm3151/family.h"

#include "terminal/core/base/emulationids.h"
#include "terminal/core/paint/palette.h"
#include "terminal/emulations/ibm3151/screen/display3151.h"
#include "terminal/emulations/ibm3151/host/hostpath.h"
#include "terminal/emulations/ibm3151/screen/indicators.h"
#include "terminal/emulations/ibm3151/keys/keys.h"
#include "terminal/emulations/ibm3151/lifecycle.h"
#include "terminal/emulations/ibm3151/screen/pageops.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/emulations/ibm3151/output/print3151.h"
#include "terminal/emulations/ibm3151/settings/profile3151.h"
#include "terminal/emulations/ibm3151/window/run3151.h"
#include "terminal/settings/store/defaults.h"

namespace {

bool Running()
{
    return I3151.active && I3151PagesAllocated();
}

bool TypingStaysLocal()
{
    return Running() && I3151IsBlockMode();
}

bool TypingEchoes()
{
    return Running() && I3151OperatingMode() == kI51Character;
}

bool KeysRefused()
{
    return Running() && I3151CheckKeysLocked();
}

void PrintScreen()
{
    if (Running())
        I3151PrintPage(I3151GetPage(I3151.displayPage));
}

void PrintBuffer()
{
    if (Running())
        I3151PrintAll();
}

void LoadSettings()
{
    if (Running())
        I3151LoadSettings();
}

void SaveSettings(int fullReload)
{
    if (Running())
        I3151SaveSettings(fullReload);
}

void ColoursChanged()
{
    if (Running())
        I3151ApplySetupValues();
}

bool ApplyPalette()
{
    if (!Running())
        return false;
    ApplyHlsPalette(I3151Palette);
    return true;
}

// A BREAK on a formatted page sends neither the timing mark nor the CR.
bool BreakEndsInput()
{
    return Running() && I3151IsPageFormatted(I3151GetCurrentPage());
}

constexpr TelnetHooks kTelnet{
    .breakEndsInput = BreakEndsInput,
};

constexpr DisplayHooks kDisplay{
    .repaintRegion = I3151RepaintRegion,
    .textCursor = I3151TextCursor,
    .extraRows = I3151ExtraRows,
    .columns = I3151WindowColumns,
    .backgroundIndex = I3151BackgroundIndex,
    .dimensions = I3151Dimensions,
    .screenText = I3151ScreenText,
    .selectionArea = I3151SelectionArea,
    .selectionRow = I3151SelectionRow,
    .cellChar = I3151CellChar,
};

}  // namespace

const FamilyHooks Ibm3151Family{
    .name = "IBM 3151",
    .emulations = EmulationBit(kEmuIbm3151),
    .processChar = I3151ProcessChar,
    .printerControllerChar = I3151ProcessChar,
    .idleWork = I3151IdleWork,
    .typingStaysLocal = TypingStaysLocal,
    .typingEchoes = TypingEchoes,
    .keysRefused = KeysRefused,
    .movesOwnCursor = true,
    .statusLineText = I3151StatusLineText,
    .display = &kDisplay,
    .activate = I3151Activate,
    .deactivate = I3151Deactivate,
    .layoutStatusBar = I3151LayoutStatusBar,
    .clearScreen = I3151ClearScreen,
    .reset = I3151HardReset,
    .idleRefresh = I3151UpdateCursorStatus,
    .redrawBlinking = I3151RedrawBlinking,
    .printScreen = PrintScreen,
    .printBuffer = PrintBuffer,
    .dispatchKey = I3151DispatchKey,
    .takeTypedChar = I3151TakeTypedChar,
    .hostKeyboardKeys = 1,
    .loadSettings = LoadSettings,
    .saveSettings = SaveSettings,
    .coloursChanged = ColoursChanged,
    .applyPalette = ApplyPalette,
    .telnet = &kTelnet,
    .setup = &I3151FamilySetup,
};
