// The indicator status line of the VT family: page and cursor, edit or lock, insert
// mode, the emulation's name and the online state, written into the store's indicator
// record (below the text rows) and mirrored in the status bar's fields.
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/base/language.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/pages/statusline.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

// Columns where the fields of the indicator line start: page and cursor, edit or lock,
// insert, emulation, online, connect time.
// clang-format off
enum IndicatorColumn : int {
    kPageColumn = 0, kEditColumn = 15, kInsertColumn = 21, kEmulationColumn = 38, kOnlineColumn = 51,
    kConnectColumn = 59,
};
// clang-format on

// Language strings of the fields.
// clang-format off
enum : u32 {
    kStrPageCursor = 7400, kStrLocal = 7401, kStrOnline = 7402, kStrInsert = 7403, kStrOverstrike = 7404,
    kStrEdit = 7405, kStrLock = 7406, kStrVt52 = 7407, kStrVt100 = 7408, kStrVt500Seven = 11333,
    kStrVt500Eight = 11334, kStrLocalButton = 2316, kStrDec = 10161,
};
// clang-format on
// Status bar fields that show the same.
// clang-format off
enum : u32 { kFieldPage = 7400, kFieldInsert = 7404, kFieldEdit = 7405, kFieldEmulation = 7409, kFieldDec = 10161 };
// clang-format on

constexpr int kTextUnits = 64;

struct ShownCursor {
    int row = -1, column = -1;
} g_shown;

bool Writable()
{
    return StatusLineFeaturePresent() && !IsOwnStatusEmulation() && LineAt(kStatusLineSlot);
}

u8 IndicatorColour()
{
    // The normal colours the other way round.
    return static_cast<u8>(((AttributeColourTable.frg[0] & 0x0F) << 4) | (AttributeColourTable.bck[0] & 0x0F));
}

void PaintIndicator(int first, int last)
{
    if (StatusDisplayType() != kStatusIndicator || PaintSettings.displayOff || first > last)
        return;
    if (const ScreenLineRecord* line = LineAt(kStatusLineSlot)) {
        PaintRowSegment(line->cells, Screen.rows, first, last, 0);
    }
}

const wchar16* Text(u32 id, wchar16 (&buffer)[kTextUnits])
{
    if (LoadLanguageString(nullptr, id, buffer, kTextUnits) <= 0)
        buffer[0] = 0;
    return buffer;
}

void WriteField(int column, u32 stringId)
{
    wchar16 text[kTextUnits];
    WriteIndicatorText(kStatusLineSlot, column, Text(stringId, text));
}

u32 EmulationNameId()
{
    switch (EmulationId.load()) {
    case kEmuVt52: return kStrVt52;
    case kEmuVt100: return kStrVt100;
    case kEmuVt500Bit7: return kStrVt500Seven;
    case kEmuVt500Bit8: return kStrVt500Eight;
    default: return 0;
    }
}

}  // namespace

void WriteIndicatorText(int slot, int column, const wchar16* text)
{
    ScreenLineRecord* line = LineAt(slot);
    if (!Writable() || !line || !text || column < 0)
        return;
    const u8 glyphSet = (PaintSettings.characterMode == 3 || PaintSettings.characterMode == 4) ? 6 : 0;
    int c = column;
    for (; *text && c < kStoreColumns; ++text, ++c)
        line->cells[c] = ScreenCell{static_cast<u8>(*text), IndicatorColour(), 0, glyphSet};
    if (slot == kStatusLineSlot)
        PaintIndicator(column, c - 1);
}

void FormatDecimalCells(int value, ScreenCell* cells, int digits)
{
    for (int i = digits - 1; i >= 0; --i) {
        cells[i].ch = static_cast<u8>('0' + value % 10);
        value /= 10;
    }
}

void ShowPageField()
{
    wchar16 text[kTextUnits];
    Text(kStrPageCursor, text);
    if (text[0] && text[1] && text[2])
        text[2] = static_cast<wchar16>('1' + (Screen.multiPage ? ActivePage() : 0));
    WriteIndicatorText(kStatusLineSlot, kPageColumn + 1, text);
    g_shown = ShownCursor{};
    ShowStatusCursor();
}

void ShowStatusCursor()
{
    ScreenLineRecord* line = LineAt(kStatusLineSlot);
    if (!Writable() || !line || OutputHeld || IsOwnStatusEmulation())
        return;
    // The status line's own cursor is not the terminal's: the main one is shown.
    const int row = StatusDisplayActive() ? g_shown.row : Screen.cursorRow;
    const int column = StatusDisplayActive() ? g_shown.column : Screen.cursorColumn;
    if (row < 0 || (row == g_shown.row && column == g_shown.column))
        return;
    g_shown = ShownCursor{row, column};
    FormatDecimalCells((row + 1) % 1000, line->cells + kPageColumn + 5, 3);
    FormatDecimalCells((column + 1) % 1000, line->cells + kPageColumn + 9, 3);
    PaintIndicator(kPageColumn + 5, kPageColumn + 11);
}

void ShowVtEmulationName()
{
    const u32 name = EmulationNameId();
    if (!name)
        return;
    WriteField(kEmulationColumn, name);
    ShowStatusBarText(kFieldEmulation, name);
}

void ShowInsertModeStatus()
{
    const u32 text = VtMode.insertMode ? kStrInsert : kStrOverstrike;
    WriteField(kInsertColumn, text);
    ShowStatusBarText(kFieldInsert, text);
}

void ShowEditLockStatus()
{
    u32 text = 0;
    if (VtMode.hostKeyboardLock)
        text = kStrLock;
    else if (VtLocalEditing())
        text = kStrEdit;
    if (text)
        WriteField(kEditColumn, text);
    else
        WriteIndicatorText(kStatusLineSlot, kEditColumn, VXT("    "));
    ShowStatusBarText(kFieldEdit, text);
}

void ShowLockStatus()
{
    ShowEditLockStatus();
}

void ShowOnlineStatus()
{
    WriteField(kOnlineColumn, LocalMode ? kStrLocal : kStrOnline);
}

void ShowDecKeyModeStatus()
{
    ShowDecKeyModeField(Vt300Values.DecKeyMode != 0);
}

void UpdateVtStatusFields()
{
    if (!Writable())
        return;
    BlankLineReverseColours(kStatusLineSlot);
    if (ScreenLineRecord* line = LineAt(kStatusLineSlot))
        for (ScreenCell& c : line->cells)
            c.colour = IndicatorColour();
    if (IsVtFamily(EmulationId))
        ShowVtEmulationName();
    ShowPageField();
    ShowEditLockStatus();
    ShowInsertModeStatus();
    ShowOnlineStatus();
    ShowDecKeyModeStatus();
    PaintIndicator(0, Screen.lastColumn < kStoreColumns ? Screen.lastColumn : kStoreColumns - 1);
}

void ScheduleStatusCursor()
{
    ShowStatusCursor();
}
