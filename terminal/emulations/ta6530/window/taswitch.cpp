// The switch into and out of the TA6530 on the user-interface thread (the host-data
// thread is held): the core's geometry saved and given back, the palette, the status bar.
#include "terminal/comms/printing/printing.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/paint/palette.h"
#include "terminal/core/program/startup.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/ta6530/tamodes.h"
#include "terminal/emulations/ta6530/taplatform.h"
#include "terminal/emulations/ta6530/tastate.h"
#include "terminal/settings/store/defaults.h"

namespace {

struct SavedGeometry {
    int rows, lastColumn;
};
SavedGeometry g_saved{24, 79};

const wchar_t* Text(u32 id, wchar_t* buffer, int capacity)
{
    buffer[0] = 0;
    LoadLanguageString(InstanceHandle, id, reinterpret_cast<wchar16*>(buffer), capacity);
    return buffer;
}

}  // namespace

void Ta6530Activate(u8)
{
    HideCursorForUpdate();
    g_saved = {Screen.rows, Screen.lastColumn};
    SetScreenRowCount(kTaRows);
    SetScreenColumns(kTaColumns);
    TaEnter();
    ApplyColourPalette();
    InvalidateColourCache();
    RefitScreenFont();
    InvalidateTerminal();
}

void Ta6530Deactivate()
{
    TaHideCursor();
    TaLeave();
    SetScreenRowCount(g_saved.rows);
    SetScreenColumns(g_saved.lastColumn + 1);
    ApplyColourPalette();
    InvalidateColourCache();
    RefitScreenFont();
}

bool TaApplyPalette()
{
    if (!Ta.entered)
        return false;
    ApplyHlsPalette(TaSettings.palette);
    return true;
}

void Ta6530LayoutStatusBar(HINSTANCE instance)
{
    StatusBarClear();
    wchar_t a[kStatusTextUnits], b[kStatusTextUnits];
    int x = 0;
    auto next = [&x](int right) {
        if (right >= 0)
            x = right;
    };
    next(StatusBarAddField(kFieldIndicator, x, 0, nullptr, L"offline"));
    next(StatusBarAddButton(instance, 7416, x, 0, true, 0, ToggleHoldScreen, Text(6101, a, kStatusTextUnits),
                            nullptr, Text(6100, b, kStatusTextUnits), nullptr));
    next(StatusBarAddField(kFieldEmulationName, x, 0, L"TA6530", nullptr));
    next(StatusBarAddField(kFieldPrinter, x, 0, PrinterFieldText(a, kStatusTextUnits), nullptr));
    const int right = ComputeStatusBarRect().right - 2;
    if (right > x)
        StatusBarAddField(kFieldFiller, x, right - x, nullptr, nullptr);
}
