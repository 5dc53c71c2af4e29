#include "terminal/core/paint/screencolours.h"

#include <atomic>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/base/displaymetrics.h"
#include "terminal/core/paint/glyphcache.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/paint/screendc.h"

COLORREF TerminalPalette[kTerminalColours] = {};
HPALETTE ProgramPalette = nullptr;

namespace {
u32 g_rgb[kTerminalColours] = {};
int g_textIndex = -1;
int g_backIndex = -1;
std::atomic<bool> g_realisePending{false};

bool RoleSwap()
{
    return PaintSettings.reverseScreen && !IsAnsiConsoleFamily(EmulationId);
}

void SetText(int index)
{
    if (index != g_textIndex) {
        SetTextColor(ScreenDC, TerminalPalette[index]);
        g_textIndex = index;
    }
}

void SetBack(int index)
{
    if (index != g_backIndex) {
        SetBkColor(ScreenDC, TerminalPalette[index]);
        g_backIndex = index;
    }
}
}  // namespace

void SetCellForeground(int index)
{
    ScreenPaintGuard guard;
    RealizePendingPalette();
    index &= 15;
    if (RoleSwap())
        SetBack(index);
    else
        SetText(index);
}

void SetCellBackground(int index)
{
    ScreenPaintGuard guard;
    RealizePendingPalette();
    index &= 15;
    if (RoleSwap())
        SetText(index);
    else
        SetBack(index);
}

void InvalidateColourCache()
{
    ScreenPaintGuard guard;
    g_textIndex = g_backIndex = -1;
}

int CachedTextColourIndex()
{
    return g_textIndex;
}

void SetPaletteColour(int index, int redPercent, int greenPercent, int bluePercent)
{
    ScreenPaintGuard guard;
    index &= 15;
    int r = PercentToByte(redPercent), g = PercentToByte(greenPercent), b = PercentToByte(bluePercent);
    if (r >= 229 && g >= 229 && b >= 229)
        r = g = b = 255;
    else if (r <= 25 && g <= 25 && b <= 25)
        r = g = b = 0;
    const COLORREF rgb = RGB(r, g, b);
    if (ProgramPalette) {
        PALETTEENTRY old{};
        GetPaletteEntries(ProgramPalette, index, 1, &old);
        if (RGB(old.peRed, old.peGreen, old.peBlue) != rgb) {
            PALETTEENTRY entry{static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b), 0};
            SetPaletteEntries(ProgramPalette, index, 1, &entry);
            g_realisePending = true;
        }
        TerminalPalette[index] = PALETTEINDEX(index);
    } else {
        TerminalPalette[index] = ScreenDC ? GetNearestColor(ScreenDC, rgb) : rgb;
    }
    if (g_rgb[index] != rgb)
        InvalidateGlyphCache();
    g_rgb[index] = rgb;
    g_textIndex = g_backIndex = -1;
}

u32 PaletteRgb(int index)
{
    return g_rgb[index & 15];
}

int CreateProgramPalette()
{
    if (!Metrics.usePalette)
        return 1;
    struct {
        LOGPALETTE header;
        PALETTEENTRY more[kTerminalColours - 1];
    } lp{};
    lp.header.palVersion = 0x300;
    lp.header.palNumEntries = kTerminalColours;
    for (int i = 0; i < kTerminalColours; ++i) {
        const u32 rgb = g_rgb[i];
        PALETTEENTRY& e = i == 0 ? lp.header.palPalEntry[0] : lp.more[i - 1];
        e = {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb), 0};
    }
    ProgramPalette = CreatePalette(&lp.header);
    return ProgramPalette ? 1 : 0;
}

int RealizePaletteInto(HDC dc, bool force)
{
    if (!ProgramPalette || !dc)
        return 0;
    if (!force && !g_realisePending.exchange(false))
        return 0;
    SelectPalette(dc, ProgramPalette, FALSE);
    return static_cast<int>(RealizePalette(dc));
}

void RealizePendingPalette()
{
    if (g_realisePending && ScreenDC) {
        ScreenPaintGuard guard;
        RealizePaletteInto(ScreenDC, false);
    }
}
