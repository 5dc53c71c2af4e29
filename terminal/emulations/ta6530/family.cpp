// What the TA6530 family hands the core: its own reader and per-byte entry, its own
// screen (the display page and row 24, painted from its own lines), its keyboard,
// settings and telnet view.
#include "terminal/emulations/ta6530/family.h"

#include "terminal/core/base/emulationids.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/screen/selectiontext.h"
#include "terminal/emulations/ta6530/screen/tacelltext.h"
#include "terminal/emulations/ta6530/tacontrols.h"
#include "terminal/emulations/ta6530/screen/taedit.h"
#include "terminal/emulations/ta6530/keys/takeys.h"
#include "terminal/emulations/ta6530/tamodes.h"
#include "terminal/emulations/ta6530/screen/tapages.h"
#include "terminal/emulations/ta6530/taplatform.h"
#include "terminal/emulations/ta6530/screen/taprint.h"
#include "terminal/emulations/ta6530/tareceive.h"
#include "terminal/emulations/ta6530/taservices.h"
#include "terminal/emulations/ta6530/settings/tasettings.h"
#include "terminal/emulations/ta6530/settings/tasetup.h"
#include "terminal/emulations/ta6530/screen/tastatus.h"

namespace {

// Selection, copy and the screen dump read the window's rows of the display page, 80
// cells each (40 on a double-width line); the marks go into the cells' selection bit.
bool SelectableArea(SelectionArea* area)
{
    if (!Ta.entered)
        return false;
    *area = SelectionArea{};
    area->available = true;
    area->lowestRow = 0;
    area->highestRow = kTaRows - 1;
    area->leftColumn = 0;
    area->rightColumn = Ta.lastColumn;
    area->visibleRows = kTaRows;
    return true;
}

ScreenCell* SelectionRow(int row, int* columns, int* cellWidth)
{
    if (!Ta.entered || row < 0 || row >= kTaRows || !Ta.screen[row])
        return nullptr;
    TaLine& line = *Ta.screen[row];
    *columns = line.doubleWidth ? kTaColumns / 2 : kTaColumns;
    *cellWidth = 0;
    return line.cells;
}

u16 CellChar(const ScreenCell& cell)
{
    return TaCellUnicode(cell);
}

void CursorPosition(int* row, int* column)
{
    const TaPage& page = TaDisplayPage();
    *row = Ta.entered ? page.cursorLine - page.top : 0;
    *column = Ta.entered ? page.cursorColumn : 0;
}

int ExtraRows(int* extraPixels)
{
    if (extraPixels)
        *extraPixels = 0;
    return 1;  // row 24, the status line
}

int Columns()
{
    return kTaColumns;
}

int BackgroundIndex()
{
    return TaSettings.bck[0] & 15;
}

bool Scrolling()
{
    return Ta.entered && Ta.mode == kTaConversational && TaPageShown();
}

int ScrollRangeMax()
{
    if (!Scrolling())
        return 0;
    const TaPage& page = TaDisplayPage();
    return page.last - page.first - (kTaRows - 1);
}

int ScrollThumb()
{
    return Scrolling() ? TaDisplayPage().top - TaDisplayPage().first : 0;
}

void Scroll(int code, int position)
{
    TaRequestView(code, position);
}

void Dimensions(int* rows, int* pageLength, int* lineCount)
{
    if (rows)
        *rows = kTaRows;
    if (pageLength)
        *pageLength = kTaRows;
    if (lineCount)
        *lineCount = Scrolling() ? kTaLines : kTaRows;
}

// The frame's commands run on the user-interface thread; the reader carries them out.
void ClearScreen()
{
    TaRequestView(kTaViewClear, 0);
}

void Reset()
{
    TaRequestView(kTaViewReset, 0);
}

void IdleRefresh()
{
    TaRepaintDirtyRows();
}

void RedrawBlinking()
{
    if (!Ta.entered)
        return;
    for (int r = 0; r <= kTaStatusRow; ++r) {
        const TaLine& line = r < kTaRows ? *Ta.screen[r] : TaRow24Line();
        int first = -1, last = -1;
        for (int c = 0; c < kTaColumns; ++c) {
            const u8 v = line.cells[c].rendition;
            if ((v & kTaBlink) && !(v & (kTaAttributeCell | kTaInvisible)) && line.cells[c].ch != ' ') {
                if (first < 0)
                    first = c;
                last = c;
            }
        }
        if (first >= 0)
            TaMarkDirtySpan(r, first, last);
    }
    TaRepaintDirtyRows();
}

bool BreakEndsInput()
{
    return Ta.entered && TaBlockMode();
}

// Each pass of a profile load reads the section; the live values follow the profile.
void LoadSettings()
{
    TaReadSettingsSection();
    TaLoadSettings();
}

void SaveSettings(int)
{
    TaSaveSettings();
}

void DispatchKey(int keyCode, int shift)
{
    Ta6530Keyboard(keyCode, shift);
}

void LockKeysChanged(bool, bool numChanged)
{
    if (numChanged)
        TaNumLockChanged();
}

constexpr TelnetHooks kTelnet{
    .breakEndsInput = BreakEndsInput,
};

constexpr DisplayHooks kDisplay{
    .repaintRegion = TaRepaintRegion,
    .drawCursor = TaDrawCursor,
    .hideCursor = TaHideCursor,
    .showCursor = TaShowCursor,
    .extraRows = ExtraRows,
    .columns = Columns,
    .backgroundIndex = BackgroundIndex,
    .scrollRangeMax = ScrollRangeMax,
    .scrollThumb = ScrollThumb,
    .scroll = Scroll,
    .dimensions = Dimensions,
    .selectionArea = SelectableArea,
    .selectionRow = SelectionRow,
    .cellChar = CellChar,
    .cursorPosition = CursorPosition,
};

}  // namespace

const FamilyHooks Ta6530Family{
    .name = "TA6530",
    .emulations = EmulationBit(kEmuTa6530),
    .readByte = Ta6530Receive,
    .processChar = Ta6530ProcessChar,
    .sendsC1Raw = true,
    .keysRefused = TaKeysRefused,
    .movesOwnCursor = true,
    .statusLineText = TaStatusLineText,
    .display = &kDisplay,
    .activate = Ta6530Activate,
    .deactivate = Ta6530Deactivate,
    .layoutStatusBar = Ta6530LayoutStatusBar,
    .showsScrollBar = true,
    .clearScreen = ClearScreen,
    .reset = Reset,
    .idleRefresh = IdleRefresh,
    .redrawBlinking = RedrawBlinking,
    .printScreen = TaStartPrintScreen,
    .printBuffer = TaStartPrintBuffer,
    .printStep = TaPrintScreenStep,
    .dispatchKey = DispatchKey,
    .translateTypedChar = TaTranslateTypedChar,
    .lockKeysChanged = LockKeysChanged,
    .loadSettings = LoadSettings,
    .saveSettings = SaveSettings,
    .applyPalette = TaApplyPalette,
    .telnet = &kTelnet,
    .setup = &Ta6530Setup,
};
