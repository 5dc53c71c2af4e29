// The IBM 3151 in the running program: switching it on and off, the window following
// its screen format, its status bar, and its profile section.
#include "terminal/emulations/ibm3151/window/run3151.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/paint/palette.h"
#include "terminal/core/program/mainwindow.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/paint/textcursor.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/ibm3151/screen/indicators.h"
#include "terminal/emulations/ibm3151/lifecycle.h"
#include "terminal/emulations/ibm3151/pages.h"
#include "terminal/emulations/ibm3151/settings/profile3151.h"
#include "terminal/emulations/ibm3151/services.h"
#include "terminal/settings/store/defaults.h"
#include "terminal/settings/store/profile.h"

namespace {

constexpr const wchar16* kSection = VXT("IBM3151");
constexpr u32 kFieldName = 7409;
constexpr u32 kHoldScreenButton = 7416;

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

void I3151ScreenSizeChanged()
{
    SetScreenRowCount(I3151.rows);
    SetScreenColumns(I3151.lastColumn + 1);
    if (!MainWindowHandle)
        return;
    RefitScreenFont();
    InvalidateTerminal();
}

void I3151SetStatusField(u32 id, const wchar16* text)
{
    if (StatusBarHasField(id))
        StatusBarSetText(id, text);
}

void I3151Activate(u8)
{
    HideCursorForUpdate();
    g_saved = {Screen.rows, Screen.lastColumn};
    // Without memory for its pages the emulation stays off: every byte is dropped
    // rather than written anywhere.
    if (!I3151StartEngine())
        return;
    ApplyHlsPalette(I3151Palette);
    InvalidateColourCache();
    I3151RepaintAll();
}

void I3151Deactivate()
{
    I3151StopEngine();
    SetScreenRowCount(g_saved.rows);
    SetScreenColumns(g_saved.lastColumn + 1);
    ApplyColourPalette();
    InvalidateColourCache();
    RefitScreenFont();
}

void I3151LayoutStatusBar(HINSTANCE instance)
{
    StatusBarClear();
    wchar_t a[kStatusTextUnits], b[kStatusTextUnits];
    int x = 0;
    auto next = [&x](int right) {
        if (right >= 0)
            x = right;
    };
    next(StatusBarAddField(kFieldIndicator, x, 0, nullptr, L"offline"));
    next(StatusBarAddButton(instance, kHoldScreenButton, x, 0, true, 0, ToggleHoldScreen,
                            Text(6101, a, kStatusTextUnits), nullptr, Text(6100, b, kStatusTextUnits), nullptr));
    next(StatusBarAddField(kFieldName, x, 0, L" IBM 3151 ", nullptr));
    next(StatusBarAddField(kFieldCursor, x, 0, L" 001,001 ", nullptr));
    next(StatusBarAddField(kI51FieldInsert, x, 0, L"      ", nullptr));
    next(StatusBarAddField(kI51FieldMode, x, 0, Text(7581, a, kStatusTextUnits), nullptr));
    next(StatusBarAddField(kI51FieldState, x, 0, L"           ", nullptr));
    next(StatusBarAddField(kI51FieldTrace, x, 0, L"       ", nullptr));
    next(StatusBarAddField(kFieldPrinter, x, 0, PrinterFieldText(a, kStatusTextUnits), nullptr));
    next(StatusBarAddField(kFieldAux, x, 0, AuxFieldText(a, kStatusTextUnits), nullptr));
    const int right = ComputeStatusBarRect().right - 2;
    if (right > x)
        StatusBarAddField(kFieldFiller, x, right - x, nullptr, nullptr);
    I3151ResetStatusFields();
    if (I3151.active)
        I3151UpdateIndicators(true);
}

void I3151LoadSettings()
{
    HKEY key = SettingsOpenSection(CurrentProfileName(), kSection);
    I3151ReadProfile(key);
    if (key)
        SettingsCloseKey(key);
}

void I3151SaveSettings(int reset)
{
    HKEY key = SettingsCreateSection(CurrentProfileName(), kSection);
    if (!key)
        return;
    I3151WriteProfile(key, reset != 0);
    SettingsCloseKey(key);
}
