// The HP 700/92 in the running program: switching it on and off (the Roman-8 tables
// come from the program's resources), the window's size and palette, and its status bar.
#include "terminal/emulations/hp700/window/run700.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/paint/palette.h"
#include "terminal/core/paint/screencolours.h"
#include "terminal/core/program/mainwindow.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/window/status/statusbar.h"
#include "terminal/emulations/hp700/charset/roman8.h"
#include "terminal/emulations/hp700/hp700.h"
#include "terminal/emulations/hp700/lifecycle.h"
#include "terminal/emulations/hp700/memory/repaint.h"
#include "terminal/emulations/hp700/terminaltype.h"
#include "terminal/settings/store/hls.h"

namespace {

constexpr u32 kFieldName = 7409;
constexpr u32 kHoldScreenButton = 7416;
constexpr int kLatinToRoman8Resource = 250, kRoman8ToLatinResource = 251;
constexpr int kRoman8TableUnits = 97;

struct SavedScreen {
    int rows, lastColumn;
} g_saved{24, 79};

wchar_t* Text(u32 id, wchar_t* buffer, int capacity)
{
    buffer[0] = 0;
    LoadLanguageString(nullptr, id, buffer, capacity);
    return buffer;
}

// A Roman-8 table of the program's resources, nullptr when it is missing or short.
const u16* Roman8Table(int id)
{
    HRSRC found = FindResourceW(InstanceHandle, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));
    if (!found || SizeofResource(InstanceHandle, found) < kRoman8TableUnits * sizeof(u16))
        return nullptr;
    HGLOBAL loaded = LoadResource(InstanceHandle, found);
    return loaded ? static_cast<const u16*>(LockResource(loaded)) : nullptr;
}

void FollowScreenSize()
{
    SetScreenRowCount(kHpScreenRows);
    SetScreenColumns(Hp700.lastColumn + 1);
    if (!MainWindowHandle)
        return;
    RefitScreenFont();
    InvalidateTerminal();
}

}  // namespace

bool Hp700ApplyPalette()
{
    if (!Hp700Running())
        return false;
    // Lightness and saturation near the ends count as the ends.
    auto edge = [](int v) { return v < 10 ? 0 : v > 90 ? 100 : v; };
    HlsPalette palette{};
    for (int i = 0; i < kPaletteEntries; ++i)
        palette.entry[i] = HlsEntry{Hp700.settings.hue[i], static_cast<u16>(edge(Hp700.settings.light[i])),
                                    static_cast<u16>(edge(Hp700.settings.sat[i]))};
    ApplyHlsPalette(palette);
    return true;
}

void Hp700Activate(u8)
{
    HideCursorForUpdate();
    g_saved = {Screen.rows, Screen.lastColumn};
    Hp700SetRoman8Tables(Roman8Table(kLatinToRoman8Resource), Roman8Table(kRoman8ToLatinResource));
    // Without memory the emulation stays off: every byte is dropped rather than written
    // anywhere.
    if (!Hp700StartEngine())
        return;
    Hp700ApplyPalette();
    InvalidateColourCache();
    FollowScreenSize();
    Hp700RepaintAll();
}

void Hp700Deactivate()
{
    Hp700StopEngine();
    Hp700SetRoman8Tables(Hp700BuiltInLatinToRoman8(), Hp700BuiltInRoman8ToLatin());
    SetScreenRowCount(g_saved.rows);
    SetScreenColumns(g_saved.lastColumn + 1);
    ApplyColourPalette();
    InvalidateColourCache();
    RefitScreenFont();
}

void Hp700LayoutStatusBar(HINSTANCE instance)
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
    // The terminal identity: the custom one, or the model's name.
    if (Hp700.settings.customId[0]) {
        next(StatusBarAddField(kFieldName, x, 0, Hp700.settings.customId, nullptr));
    } else {
        const u32 id = 6700 + (HpModel <= 4 ? HpModel : 2);
        next(StatusBarAddField(kFieldName, x, 0, Text(id, a, kStatusTextUnits), nullptr));
    }
    next(StatusBarAddField(kFieldPrinter, x, 0, PrinterFieldText(a, kStatusTextUnits), nullptr));
    const int right = ComputeStatusBarRect().right - 2;
    if (right > x)
        StatusBarAddField(kFieldFiller, x, right - x, nullptr, nullptr);
}
