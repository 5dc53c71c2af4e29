// What the Wyse family hands the core: its per-byte entry on the core's reader with its
// own keyboard side, its own screen (the family paints the rows it lends the shared
// table), the switch, the frame's commands, the settings and the Setup part.
#include "terminal/emulations/wyse/family.h"

#include <string>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/screen/framelock.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/emulations/wyse/charsets/charsets.h"
#include "terminal/emulations/wyse/colours/attributes.h"
#include "terminal/emulations/wyse/host/hostpath.h"
#include "terminal/emulations/wyse/keys/hotspots.h"
#include "terminal/emulations/wyse/lifecycle.h"
#include "terminal/emulations/wyse/platform.h"
#include "terminal/emulations/wyse/screen/printregion.h"
#include "terminal/emulations/wyse/screen/selection.h"
#include "terminal/emulations/wyse/settings/wysesettings.h"
#include "terminal/emulations/wyse/settings/zara.h"
#include "terminal/emulations/wyse/status/statusline.h"
#include "terminal/emulations/wyse/store/repaint.h"
#include "terminal/emulations/wyse/store/wysemodes.h"
#include "terminal/emulations/wyse/store/wysestore.h"

namespace {

std::atomic<u8> g_fieldsDue{0};

void Activate(u8)
{
    WyseStart();
}

// Another personality of the family: the store is built again for it.
void Reapply(u8)
{
    LeaveWyse();
    WyseStart();
}

// The received data is used up: what changed is handed to the frame, the status line's
// fields follow the lock keys and the cursor.
void IdleWork()
{
    if (!WyseStoreActive())
        return;
    if (g_fieldsDue.exchange(0))
        WyseShowKeyboardField();
    WyseShowCursorField();
    WyseRepaintDirtyRows();
}

void LockKeysChanged(bool, bool)
{
    g_fieldsDue = 1;
}

// The blink tick: every row that shows a blinking cell is painted again.
void RedrawBlinking()
{
    FrameLockGuard lock(10);
    if (!lock.Held() || !WyseStoreActive())
        return;
    for (int r = 0; r < WyStore.rowsInUse && r < kWyseScreenRows; ++r) {
        const ScreenLineRecord* line = WyStore.row[r];
        if (!line)
            continue;
        for (int c = 0; c <= WyStore.columnsLast; ++c)
            if (line->cells[c].rendition & (kWyBlink | kWyAttrCell)) {
                WyseMarkDirtySpan(r, 0, kWyseCells - 1);
                break;
            }
    }
    WyseRepaintDirtyRows();
}

void Reset()
{
    if (WyseStoreActive())
        WyseInitTerminal();
}

void LoadSettings()
{
    if (WyseStoreActive() && IsWyseFamily(EmulationId))
        LoadWyseSettings();
}

void SaveSettings(int factory)
{
    if (WyseStoreActive() && IsWyseFamily(EmulationId))
        SaveWyseSettings(factory);
}

int TranslateTypedChar(int c)
{
    return WyseUnicodeToHostChar(c);
}

// The display hooks that need no painting.
int Columns()
{
    return WyStore.columnsLast + 1;
}

int BackgroundIndex()
{
    u8 rendition = 0;
    const u8 colour = WyStore.attrMode60 ? WyseNormalColour() : WyseAttributeColour350(rendition);
    return colour >> 4;
}

void Dimensions(int* rows, int* pageLength, int* lineCount)
{
    if (rows)
        *rows = WyStore.rowsInUse;
    if (pageLength)
        *pageLength = WyStore.rowsInUse;
    if (lineCount)
        *lineCount = kWyseScreenRows;
}

bool PaintingHeld()
{
    return WysePaintingSuspended();
}

// The screen as the tests read it: the cursor, the text rows, then the label line (the
// core adds the status line from statusLineText).
void ScreenText(std::string& out)
{
    if (!WyseStoreActive())
        return;
    const WyseStoreState& s = WyStore;
    out += "cursor " + std::to_string(s.cursorRow - 1) + " " + std::to_string(s.cursorColumn) + " emulation " +
           std::to_string(s.id) + "\n";
    auto rowText = [&](const ScreenLineRecord* line) {
        std::u16string text;
        for (int c = 0; line && c <= s.columnsLast; ++c)
            text.push_back(static_cast<char16_t>(WyseCellChar(line->cells[c])));
        while (!text.empty() && text.back() == u' ')
            text.pop_back();
        std::string utf8;
        for (char16_t u : text) {
            if (u < 0x80) {
                utf8.push_back(static_cast<char>(u));
            } else if (u < 0x800) {
                utf8.push_back(static_cast<char>(0xC0 | (u >> 6)));
                utf8.push_back(static_cast<char>(0x80 | (u & 0x3F)));
            } else {
                utf8.push_back(static_cast<char>(0xE0 | (u >> 12)));
                utf8.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
                utf8.push_back(static_cast<char>(0x80 | (u & 0x3F)));
            }
        }
        return utf8;
    };
    for (int r = 1; r <= s.displaySize; ++r)
        out += rowText(s.row[r]) + "\n";
    out += "labels " + rowText(s.labelRow >= 0 ? s.row[s.labelRow] : nullptr) + "\n";
}

// The core's caret stands on the cursor's cell, in the shape the host chose (ESC ` and
// the TVI/ADDS shapes set the shared style); on a double-width row the cells are twice
// as wide.
bool TextCursor(int* row, int* column, int* style)
{
    const WyseStoreState& s = WyStore;
    if (!WyseStoreActive() || s.cursorRow < 0 || s.cursorRow >= kWyseScreenRows)
        return false;
    const bool doubleWidth = WyseLineAttribute(s.row[s.cursorRow]) & kWyDoubleWidth;
    *row = s.cursorRow;
    *column = doubleWidth ? 2 * s.cursorColumn : s.cursorColumn;
    *style = PaintSettings.cursorStyle & 3;
    return true;
}

constexpr DisplayHooks kDisplay{
    .repaintRegion = WysePaintRegion,
    .textCursor = TextCursor,
    .columns = Columns,
    .backgroundIndex = BackgroundIndex,
    .dimensions = Dimensions,
    .paintingHeld = PaintingHeld,
    .screenText = ScreenText,
    .selectionArea = WyseSelectionArea,
    .selectionRow = WyseSelectionRow,
    .cellChar = WyseCellChar,
};

constexpr u32 kEmulations = EmulationBit(kEmuWy50) | EmulationBit(kEmuWy50Plus) | EmulationBit(kEmuTvi910) |
                            EmulationBit(kEmuTvi920) | EmulationBit(kEmuTvi925) | EmulationBit(kEmuAddsA2) |
                            EmulationBit(kEmuHz1500) | EmulationBit(kEmuWy60);

}  // namespace

const FamilyHooks WyseFamily{
    .name = "Wyse",
    .emulations = kEmulations,
    .processChar = WyseHostByte,
    .printerControllerChar = WyseHostByte,
    .idleWork = IdleWork,
    .readsOwnKeyboard = true,
    .keyboardByte = WyseReaderKeyboardByte,
    .sendsC1Raw = true,
    .movesOwnCursor = true,
    .statusCursorTick = WyseShowCursorField,
    .statusLineText = WyseStatusLineText,
    .display = &kDisplay,
    .activate = Activate,
    .deactivate = LeaveWyse,
    .reapply = Reapply,
    .layoutStatusBar = WyseLayoutStatusBar,
    .statusBarName = WyseModelName,
    .refitsOnStart = true,
    .clearScreen = WyseClearScreenCommand,
    .reset = Reset,
    .redrawBlinking = RedrawBlinking,
    .printScreen = WyseStartPrintScreen,
    .printBuffer = WyseStartPrintBuffer,
    .printStep = WysePrintScreenStep,
    .translateTypedChar = TranslateTypedChar,
    .lockKeysChanged = LockKeysChanged,
    .hotspotTable = WyseHotspotTable,
    .loadSettings = LoadSettings,
    .saveSettings = SaveSettings,
    .setup = &WyseSetup,
};
