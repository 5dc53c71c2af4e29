// What the HP 700/92 hands the core: its per-byte entry on the core's reader (typed
// bytes come back to it in local and block modes), its own display memory painted by
// its row painter with the caret over its cursor, its keys, its profile section and the
// telnet terminal type of its model.
#include "terminal/emulations/hp700/family.h"

#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/hp700/hostpath.h"
#include "terminal/emulations/hp700/hp700.h"
#include "terminal/emulations/hp700/keys/keys.h"
#include "terminal/emulations/hp700/lifecycle.h"
#include "terminal/emulations/hp700/screen/display.h"
#include "terminal/emulations/hp700/settings/settings.h"
#include "terminal/emulations/hp700/settings/setupcopy.h"
#include "terminal/input/hotspots/hotspotwords.h"
#include "terminal/emulations/hp700/terminaltype.h"
#include "terminal/emulations/hp700/window/run700.h"

namespace {

void LoadSettings()
{
    if (Hp700Running())
        Hp700LoadSettings();
}

void SaveSettings(int fullReload)
{
    if (Hp700Running())
        Hp700SaveSettings(fullReload);
}

// Typed bytes are the terminal's own to process in block and modify modes.
bool TypingStaysLocal()
{
    return Hp700Running() &&
           (Hp700.settings.blockmode || Hp700.settings.modall || Hp700.lineModify || Hp700.menu == kHpMenuConfig);
}

bool TypingEchoes()
{
    return Hp700Running() && Hp700.settings.echo;
}

bool BreakEndsInput()
{
    return Hp700Running() && Hp700.settings.blockmode;
}

// A mouse hot spot on the word "Send" sends as the key does.
constexpr HotspotDefault kHotspotWords[] = {{VXT("Send"), VXT("<HP_SEND>")}};
constexpr HotspotTable kHotspots{kHotspotWords, 1};

const HotspotTable* Hotspots(u8)
{
    return &kHotspots;
}

constexpr TelnetHooks kTelnet{
    .terminalType = HpTerminalTypeName,
    .breakEndsInput = BreakEndsInput,
};

constexpr DisplayHooks kDisplay{
    .repaintRegion = Hp700RepaintRegion,
    .textCursor = Hp700TextCursor,
    .extraRows = Hp700ExtraRows,
    .columns = Hp700WindowColumns,
    .backgroundIndex = Hp700BackgroundIndex,
    .dimensions = Hp700Dimensions,
    .screenText = Hp700ScreenText,
    .selectionArea = Hp700SelectionArea,
    .selectionRow = Hp700SelectionRow,
    .cellChar = Hp700CellChar,
};

}  // namespace

const FamilyHooks Hp700Family{
    .name = "HP 700/92",
    .emulations = EmulationBit(kEmuHp70092),
    .processChar = HpProcessChar,
    .printerControllerChar = HpProcessChar,
    .idleWork = Hp700IdleWork,
    .typingStaysLocal = TypingStaysLocal,
    .typingEchoes = TypingEchoes,
    .movesOwnCursor = true,
    .display = &kDisplay,
    .activate = Hp700Activate,
    .deactivate = Hp700Deactivate,
    .layoutStatusBar = Hp700LayoutStatusBar,
    .clearScreen = Hp700ClearScreen,
    .reset = Hp700HardReset,
    .redrawBlinking = Hp700RedrawBlinking,
    .dispatchKey = Hp700DispatchKey,
    .takeTypedChar = Hp700TakeTypedChar,
    .hotspotTable = Hotspots,
    .loadSettings = LoadSettings,
    .saveSettings = SaveSettings,
    .applyPalette = Hp700ApplyPalette,
    .telnet = &kTelnet,
    .setup = &Hp700FamilySetup,
};
