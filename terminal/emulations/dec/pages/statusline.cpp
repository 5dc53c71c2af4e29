// The selection of the status display and the swap of the VT state between the main
// display and the host-writable status line. While the status line is the active
// display its record sits in line slot 0 and the core's line operations, in their
// status-line-writing mode, act on that one line and paint it below the text rows.
#include "terminal/emulations/dec/pages/statusline.h"

#include "terminal/core/screen/celltext.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/controls/rendition.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/controls/vtcharsets.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/settings/store/profilevalues.h"

namespace {

// What belongs to the display that is not active.
struct DisplayState {
    i16 row = 0, column = 0;
    i16 top = 0, bottom = 0, left = 0, right = 0;
    u8 colour = kDefaultColour, rendition = 0, flags = 0;
    u8 designation[4] = {1, 1, 6, 6}, set96[4] = {0, 0, 1, 1};
    u8 glSet = 0, grSet = 2;
    i8 singleShift = -1;
    u8 origin = 1, pendingWrap = 0, autoWrap = 0;
    SavedCursorRecord savedCursor{};
};

struct StatusLineState {
    u16 type = kStatusIndicator;
    u32 active = 0;  // 0 main, 1 status line
    DisplayState saved;
};
StatusLineState g_status;

DisplayState CurrentDisplayState()
{
    DisplayState d;
    d.row = Screen.cursorRow;
    d.column = Screen.cursorColumn;
    d.top = Screen.top;
    d.bottom = Screen.bottom;
    d.left = Screen.left;
    d.right = Screen.right;
    d.colour = CurrentColour;
    d.rendition = CurrentRendition;
    d.flags = CurrentFlags;
    for (int g = 0; g < 4; ++g) {
        d.designation[g] = VtMode.designation[g];
        d.set96[g] = VtMode.set96[g];
    }
    d.glSet = VtMode.glSet;
    d.grSet = VtMode.grSet;
    d.singleShift = VtMode.singleShift;
    d.origin = VtMode.cursorOrigin;
    d.pendingWrap = PendingWrap;
    d.autoWrap = VtMode.autoWrap;
    d.savedCursor = SavedCursor;
    return d;
}

void InstallDisplayState(const DisplayState& d)
{
    CurrentColour = d.colour;
    CurrentRendition = d.rendition;
    CurrentFlags = d.flags;
    for (int g = 0; g < 4; ++g) {
        VtMode.designation[g] = d.designation[g];
        VtMode.set96[g] = d.set96[g];
    }
    VtMode.glSet = d.glSet;
    VtMode.grSet = d.grSet;
    VtMode.singleShift = d.singleShift;
    VtMode.cursorOrigin = d.origin;
    VtMode.autoWrap = d.autoWrap;
    SavedCursor = d.savedCursor;
    SetMarginLinePointers(d.top, d.bottom);
    Screen.left = d.left;
    Screen.right = d.right;
    MoveCursorAbsolute(d.row, d.column);
    PendingWrap = d.pendingWrap;
}

bool FeaturePresent()
{
    return StatusLineFeaturePresent() && !IsOwnStatusEmulation();
}

ScreenLineRecord* HostLine()
{
    // While the status line is the active display its record is the one in slot 0.
    return LineAt(g_status.active ? 0 : kSpareLine1);
}

void Redraw()
{
    DecInvalidateStatusLine();
}

}  // namespace

bool IsOwnStatusEmulation()
{
    // A family with a screen of its own keeps its own status line.
    return ActiveFamily().display != nullptr;
}

void ResetStatusDisplay()
{
    // The store was built anew (or blanked whole): which of its records held the
    // status line no longer matters, and the state kept for the other display is
    // stale. The main display is the active one from here.
    g_status.active = 0;
    StatusLineWriting = 0;
    g_status.type = Vt300Values.sl_type <= kStatusHostWritable ? static_cast<u16>(Vt300Values.sl_type)
                                                               : static_cast<u16>(kStatusIndicator);
    BlankLineCells(LineAt(kSpareLine1));
    InitStatusDisplayState();
}

void InitStatusDisplayState()
{
    if (g_status.active)
        return;
    g_status.saved = CurrentDisplayState();
    DisplayState& d = g_status.saved;
    d.row = d.column = d.top = d.bottom = d.left = 0;
    d.right = Screen.lastColumn;
    d.autoWrap = 0;
    d.pendingWrap = 0;
}

void SelectActiveDisplay(int display)
{
    if (IsOwnStatusEmulation() || display < 0 || display > 1 || static_cast<u32>(display) == g_status.active)
        return;
    if (!Screen.lines || !LineAt(0) || !LineAt(kSpareLine1))
        return;
    FlushPendingSpan();
    g_status.active = static_cast<u32>(display);
    Screen.rearranging = 1;
    ScreenLineRecord* main = Screen.lines[0];
    Screen.lines[0] = Screen.lines[kSpareLine1];
    Screen.lines[kSpareLine1] = main;
    Screen.rearranging = 0;
    const DisplayState leaving = CurrentDisplayState();
    StatusLineWriting = static_cast<u32>(display);
    if (display == 0) {
        // The store may have changed shape meanwhile (rows, columns, page length): the
        // main display's margins and cursor come back within it.
        DisplayState& d = g_status.saved;
        if (d.bottom > Screen.pageLength - 1 || d.top >= d.bottom) {
            d.top = 0;
            d.bottom = static_cast<i16>(Screen.pageLength - 1);
        }
        if (d.right > Screen.lastColumn || d.left >= d.right) {
            d.left = 0;
            d.right = Screen.lastColumn;
        }
    }
    InstallDisplayState(g_status.saved);
    g_status.saved = leaving;
}

void ResetHostStatusLine()
{
    if (IsOwnStatusEmulation())
        return;
    const u32 before = g_status.active;
    SelectActiveDisplay(1);
    EnableTextCursor();
    VtMode.autoWrap = 0;
    ResetGraphicRendition();
    ResetCharsets();
    MoveCursorAbsolute(0, 0);
    ClearLines(0, 0);
    SaveCursorState();
    SelectActiveDisplay(static_cast<int>(before));
}

void SetHostStatusLineReverse(bool on)
{
    ScreenLineRecord* line = HostLine();
    if (IsOwnStatusEmulation() || !line)
        return;
    constexpr int kStatusCells = 132;
    for (int c = 0; c < kStatusCells; ++c) {
        u8& r = line->cells[c].rendition;
        r = static_cast<u8>(on ? r | kRendReverse : r & ~kRendReverse);
    }
    DecRefreshStatusLine();
}

void SelectStatusDisplayType(int type)
{
    RunEmulationIdleWork();
    if (!StatusLineFeaturePresent())
        return;
    switch (type) {
    case 0:
    case 1:
        SelectActiveDisplay(0);
        g_status.type = static_cast<u16>(type);
        break;
    case 2:
        if (IsOwnStatusEmulation()) {
            Vt300Values.sl_type = 0;
            SelectActiveDisplay(0);
            g_status.type = kStatusNone;
            break;
        }
        if (g_status.type != kStatusHostWritable) {
            ResetHostStatusLine();
            g_status.type = kStatusHostWritable;
        }
        break;
    default: break;
    }
    Redraw();
}

void SelectStatusDisplayTypeCommand()
{
    if (IsVt500Emulation() && ParamMarker() == ' ' && FeaturePresent())
        SelectStatusDisplayType(Param(1));
}

void SelectActiveDisplayCommand()
{
    const int d = Param(1);
    if (!IsVt500Emulation() || ParamMarker() != ' ' || !FeaturePresent() || g_status.type != kStatusHostWritable ||
        d > 1)
        return;
    RunEmulationIdleWork();
    SelectActiveDisplay(d);
}

bool StatusDisplayActive()
{
    return g_status.active != 0;
}

int ActiveStatusDisplay()
{
    return static_cast<int>(g_status.active);
}

int StatusDisplayType()
{
    return g_status.type;
}

void DecRefreshStatusLine()
{
    if (IsOwnStatusEmulation() || !StatusLineFeaturePresent() || PaintSettings.displayOff)
        return;
    const int last = Screen.lastColumn < Screen.windowColumns ? Screen.lastColumn : Screen.windowColumns - 1;
    switch (g_status.type) {
    case kStatusIndicator:
        if (const ScreenLineRecord* line = LineAt(kStatusLineSlot))
            PaintRowSegment(line->cells, Screen.rows, 0, last, 0);
        break;
    case kStatusHostWritable:
        if (const ScreenLineRecord* line = HostLine()) {
            const int offset = Screen.lastColumn >= Screen.windowColumns ? Screen.horizontalOffset : 0;
            PaintRowSegment(line->cells + offset, Screen.rows, 0, last, 0);
        }
        break;
    default: {
        // No status line: the strip shows the screen's background.
        ScreenLineRecord blank{};
        const u8 colour = static_cast<u8>((Rendition.screenColour << 4) | (kDefaultColour & 0x0F));
        for (ScreenCell& c : blank.cells)
            c = ScreenCell{0x20, colour, 0, 0};
        PaintRowSegment(blank.cells, Screen.rows, 0, last, 0);
        break;
    }
    }
}

void DecInvalidateStatusLine()
{
    // The indicator is written anew (a page or the store changed), then painted.
    UpdateVtStatusFields();
    DecRefreshStatusLine();
}

int StatusLineText(wchar16* buffer, int capacity)
{
    if (!buffer || capacity < 1)
        return 0;
    buffer[0] = 0;
    const ScreenLineRecord* line = nullptr;
    if (g_status.type == kStatusIndicator)
        line = LineAt(kStatusLineSlot);
    else if (g_status.type == kStatusHostWritable)
        line = HostLine();
    if (!line || IsOwnStatusEmulation())
        return 0;
    int n = 0, kept = 0;
    for (int c = 0; c <= Screen.lastColumn && n + 1 < capacity; ++c) {
        const u16 ch = CellRecordToUnicode(line->cells[c]);
        buffer[n++] = ch ? ch : u' ';
        if (ch && ch != u' ')
            kept = n;
    }
    buffer[kept] = 0;
    return kept;
}
