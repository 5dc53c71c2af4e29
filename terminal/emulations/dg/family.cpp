// What the DG 410/412 family hands the core: its per-byte entry and received-byte filter
// on the generic reader, its printer-controller filter, its own screen of 24 rows by
// 162 columns (painted by the family, read by selection, copying and the screen dump),
// its keyboard, its colours and Setup part, and its start and stop.
#include "terminal/emulations/dg/family.h"

#include "terminal/core/base/emulationids.h"
#include "terminal/emulations/dg/dgcharsets.h"
#include "terminal/emulations/dg/dgcolours.h"
#include "terminal/emulations/dg/dgcommands.h"
#include "terminal/emulations/dg/dgdamage.h"
#include "terminal/emulations/dg/dgio.h"
#include "terminal/emulations/dg/dgkeys.h"
#include "terminal/emulations/dg/dgpaint.h"
#include "terminal/emulations/dg/dgprint.h"
#include "terminal/emulations/dg/dgrun.h"
#include "terminal/emulations/dg/dgsettings.h"
#include "terminal/emulations/dg/dgstate.h"
#include "terminal/emulations/dg/dgview.h"

namespace {

// A received run is recorded for the painter when the host pauses.
void IdleWork()
{
    DgFlushPending();
}

void Reset()
{
    if (Dg.block)
        DgResetTerminal();
}

int Columns()
{
    return kDgNormalWidth + 1;
}

int ExtraRows(int* extraPixels)
{
    if (extraPixels)
        *extraPixels = 0;
    return 0;
}

int BackgroundIndex()
{
    return DgBlankColour() >> 4;
}

void Dimensions(int* rows, int* pageLength, int* lineCount)
{
    if (rows)
        *rows = kDgRows;
    if (pageLength)
        *pageLength = kDgRows;
    if (lineCount)
        *lineCount = kDgRows;
}

constexpr DisplayHooks kDisplay{
    .repaintRegion = DgRepaintRegion,
    .drawCursor = DgDrawCursor,
    .hideCursor = DgHideCursor,
    .showCursor = DgShowCursor,
    .extraRows = ExtraRows,
    .columns = Columns,
    .backgroundIndex = BackgroundIndex,
    .dimensions = Dimensions,
    .selectionArea = DgSelectionArea,
    .selectionRow = DgSelectionRow,
    .cellChar = DgCellText,
    .cursorPosition = DgCursorPosition,
};

}  // namespace

const wchar16* DgStatusBarName(u8)
{
    return VXT(" DG410 ");
}

const FamilyHooks DgFamily{
    .name = "DG 410/412",
    .emulations = EmulationBit(kEmuDg410),
    .processChar = DgDisplayChar,
    .printerControllerChar = DgPrinterControllerFilter,
    .filterReceivedByte = DgFilterReceivedByte,
    .filterPassesAscii = true,
    .idleWork = IdleWork,
    .movesOwnCursor = true,
    .display = &kDisplay,
    .activate = DgActivate,
    .deactivate = DgDeactivate,
    .layoutStatusBar = DgLayoutStatusBar,
    .statusBarName = DgStatusBarName,
    .clearScreen = DgClearScreenCommand,
    .keepsScrollBarOnClear = true,
    .reset = Reset,
    .idleRefresh = DgUpdateStatusCursor,
    .redrawBlinking = DgRedrawBlinking,
    .printScreen = DgStartPrintScreen,
    .printStep = DgPrintScreenStep,
    .dispatchKey = DgKeyHandler,
    .keyMessage = DgKeyMessage,
    .loadSettings = DgLoadSettings,
    .saveSettings = DgSaveSettings,
    .applyPalette = DgApplyPalette,
    .setup = &DgSetup,
};
