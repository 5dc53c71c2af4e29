// The TVI 950 and 955 in the running program: switching them on and off, the window
// following their width, their status bar and palette.
#include "terminal/emulations/tvi/window/runtvi.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/paint/palette.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/program/mainwindow.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/emulations/tvi/lifecycle.h"
#include "terminal/emulations/tvi/screen/screenops.h"
#include "terminal/emulations/tvi/screen/status.h"
#include "terminal/emulations/tvi/services.h"
#include "terminal/emulations/tvi/store/lines.h"

namespace {

constexpr u32 kFieldName = 7409, kFieldInsert = 7403;

struct SavedScreen {
    int rows, lastColumn;
} g_saved{24, 79};

wchar_t* Text(u32 id, wchar_t* buffer, int capacity)
{
    buffer[0] = 0;
    LoadLanguageString(nullptr, id, buffer, capacity);
    return buffer;
}

}  // namespace

void TviScreenSizeChanged()
{
    SetScreenRowCount(TviWindowRows());
    SetScreenColumns(Tvi.set.lastColumn + 1);
    if (!MainWindowHandle)
        return;
    RefitScreenFont();
    InvalidateTerminal();
}

void TviSetStatusField(u32 id, const wchar16* text)
{
    if (StatusBarHasField(id))
        StatusBarSetText(id, reinterpret_cast<const wchar_t*>(text));
}

void TviShowInsertField(bool insert)
{
    wchar_t text[kStatusTextUnits];
    if (StatusBarHasField(kFieldInsert))
        StatusBarSetText(kFieldInsert, Text(insert ? 7403 : 7404, text, kStatusTextUnits));
}

void TviActivate(u8 id)
{
    HideCursorForUpdate();
    g_saved = {Screen.rows, Screen.lastColumn};
    // Without memory for its lines the emulation stays off: every byte is dropped rather
    // than written anywhere.
    if (!TviStartEngine(id))
        return;
    ApplyHlsPalette(Tvi.palette);
    InvalidateColourCache();
    TviMarkAll();
    InvalidateTerminal();
}

void TviReapply(u8 id)
{
    TviSetTvi950(id == 22);
}

void TviDeactivate()
{
    TviStopEngine();
    SetScreenRowCount(g_saved.rows);
    SetScreenColumns(g_saved.lastColumn + 1);
    ApplyColourPalette();
    InvalidateColourCache();
    RefitScreenFont();
}

bool TviApplyPalette()
{
    if (!Tvi.active)
        return false;
    ApplyHlsPalette(Tvi.palette);
    return true;
}

void TviLayoutStatusBar(HINSTANCE)
{
    StatusBarClear();
    wchar_t a[kStatusTextUnits];
    int x = 0;
    auto next = [&x](int right) {
        if (right >= 0)
            x = right;
    };
    next(StatusBarAddField(kFieldIndicator, x, 0, nullptr, L"offline"));
    next(StatusBarAddField(kFieldName, x, 0, reinterpret_cast<const wchar_t*>(TviStatusName()), nullptr));
    next(StatusBarAddField(kFieldCursor, x, 0, L" 001,001 ", nullptr));
    next(StatusBarAddField(kFieldInsert, x, 0, Text(Tvi.set.insertMode ? 7403 : 7404, a, kStatusTextUnits),
                           nullptr));
    next(StatusBarAddField(kFieldPrinter, x, 0, PrinterFieldText(a, kStatusTextUnits), nullptr));
    const int right = ComputeStatusBarRect().right - 2;
    if (right > x)
        StatusBarAddField(kFieldFiller, x, right - x, nullptr, nullptr);
    Tvi.shownRow = -1;
}
