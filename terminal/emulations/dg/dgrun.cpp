// The DG emulation in the running program: switching it on and off (the core's rows
// and columns kept for the emulation that comes after), the status bar with its cursor
// field, the Clear Screen command and the DG palette.
#include "terminal/emulations/dg/dgrun.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/paint/palette.h"
#include "terminal/core/program/mainwindow.h"
#include "terminal/core/program/startup.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/core/window/status/statussources.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/paint/damage.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dg/dgcolours.h"
#include "terminal/emulations/dg/dgcommands.h"
#include "terminal/emulations/dg/dgpaint.h"
#include "terminal/emulations/dg/dgscreen.h"
#include "terminal/emulations/dg/dgsettings.h"
#include "terminal/emulations/dg/dgstate.h"
#include "terminal/emulations/dg/dgview.h"
#include "terminal/emulations/dg/family.h"
#include "terminal/input/keyboard/keycodes.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/settings/store/defaults.h"

namespace {

constexpr u32 kOutOfMemory = 7100;
constexpr u32 kButtonOnline = 7402, kTextLocal = 2316, kButtonHold = 7416, kTextPause = 6101, kTextResume = 6100;

struct SavedScreen {
    int rows = 24, lastColumn = 79;
} g_saved;

int g_shownRow = -1, g_shownColumn = -1;

wchar_t* Text(u32 id, wchar_t* buffer, int capacity)
{
    buffer[0] = 0;
    LoadLanguageString(InstanceHandle, id, buffer, capacity);
    return buffer;
}

// " RRR,CCC ": the cursor's row and column counted from 1.
void FormatCursor(wchar_t* text, int row, int column)
{
    wchar_t field[10] = L" 000,000 ";
    for (int i = 3, v = row; i >= 1; --i, v /= 10)
        field[i] = static_cast<wchar_t>(L'0' + v % 10);
    for (int i = 7, v = column; i >= 5; --i, v /= 10)
        field[i] = static_cast<wchar_t>(L'0' + v % 10);
    lstrcpynW(text, field, 10);
}

}  // namespace

void DgActivate(u8)
{
    HideCursorForUpdate();
    g_saved = {Screen.rows, Screen.lastColumn};
    if (!DgEnter()) {
        MessageBoxById(kOutOfMemory);
        RequestEmulation(kEmuDg410, kDefaultEmulationId);
        return;
    }
    g_shownRow = g_shownColumn = -1;
    SetScreenRowCount(kDgRows);
    ApplyColourPalette();
    InvalidateColourCache();
    RefitScreenFont();
    DamageAll();
}

void DgDeactivate()
{
    DgHideCursor();
    LeaveDgState();
    DgReleaseFonts();
    SetScreenRowCount(g_saved.rows);
    SetScreenColumns(g_saved.lastColumn + 1);
    ApplyColourPalette();
    InvalidateColourCache();
    RefitScreenFont();
}

bool DgApplyPalette()
{
    if (Dg.mode == kDgModeOff)
        return false;
    ApplyHlsPalette(DgPalette);
    return true;
}

void DgLayoutStatusBar(HINSTANCE instance)
{
    StatusBarClear();
    wchar_t a[kStatusTextUnits], b[kStatusTextUnits];
    int x = 0;
    auto next = [&x](int right) {
        if (right >= 0)
            x = right;
    };
    next(StatusBarAddField(kFieldIndicator, x, 0, nullptr, L"offline"));
    next(StatusBarAddButton(instance, kButtonOnline, x, 0, true, StatusLocalMode() ? 1 : 0, ToggleLocalMode,
                            Text(kTextLocal, a, kStatusTextUnits), nullptr,
                            Text(kButtonOnline, b, kStatusTextUnits), nullptr));
    next(StatusBarAddButton(instance, kButtonHold, x, 0, true, 0, ToggleHoldScreen,
                            Text(kTextPause, a, kStatusTextUnits), nullptr, Text(kTextResume, b, kStatusTextUnits),
                            nullptr));
    next(StatusBarAddField(kFieldEmulationName, x, 0, DgStatusBarName(kEmuDg410), nullptr));
    FormatCursor(a, 1, 1);
    next(StatusBarAddField(kFieldCursor, x, 0, a, nullptr));
    next(StatusBarAddField(kFieldPrinter, x, 0, PrinterFieldText(a, kStatusTextUnits), nullptr));
    const int right = ComputeStatusBarRect().right - 2;
    if (right > x)
        StatusBarAddField(kFieldFiller, x, right - x, nullptr, nullptr);
    g_shownRow = g_shownColumn = -1;
    DgUpdateStatusCursor();
}

void DgUpdateStatusCursor()
{
    if (!Dg.block || (Dg.row == g_shownRow && Dg.column == g_shownColumn))
        return;
    g_shownRow = Dg.row;
    g_shownColumn = Dg.column;
    wchar_t text[kStatusTextUnits];
    FormatCursor(text, Dg.row + 1, Dg.column + 1);
    StatusBarSetText(kFieldCursor, text);
}

void DgClearScreenCommand()
{
    const bool hold = OnUserInterfaceThread();
    if (hold)
        HoldHostDataThread(HostGate::Switch, 2000);
    if (Dg.block) {
        DgClearScreen();
        DgSetCursor(0, 0);
    }
    if (hold)
        ReleaseHostDataThread(HostGate::Switch);
}

int DgKeyMessage(tagMSG* m, bool isPress)
{
    // Shift with a cursor key is a key of the DG keyboard (it pans, scrolls or goes to
    // the host), not the pointer step the other terminals make of it.
    if (!isPress || ShiftState != kShiftBit)
        return -1;
    int code = 0;
    switch (m->wParam) {
    case VK_UP: code = 89; break;
    case VK_LEFT: code = 90; break;
    case VK_DOWN: code = 91; break;
    case VK_RIGHT: code = 92; break;
    default: return -1;
    }
    QueueInputEvent(3, static_cast<u16>(code), static_cast<u16>(kShiftBit));
    return 1;
}
