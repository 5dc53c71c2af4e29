// Graphic rendition and colours of the ANSI console family: SGR with the consoles'
// colour order and SCO's colour pairs, the console colour forms (CSI = x F / G), the
// colour report and SCO's colour erase.
#include "terminal/emulations/dec/ansi/ansiconsole.h"

#include <cstdio>

#include "terminal/core/host/hostio.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/params.h"
#include "terminal/emulations/dec/controls/rendition.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/settings/store/colours.h"

namespace {

// Console colour parameters 0-15 to the terminal's colour index.
constexpr u8 kMapA[16] = {0, 1, 3, 5, 2, 4, 10, 7, 8, 9, 11, 13, 14, 12, 6, 15};
constexpr u8 kMapC[16] = {0, 1, 3, 5, 2, 4, 6, 7, 8, 9, 11, 13, 10, 12, 14, 15};
// Colour index back to the parameter of map A, for the colour report.
constexpr u8 kMapR[16] = {0, 1, 4, 2, 5, 3, 14, 7, 8, 9, 6, 10, 13, 11, 12, 15};
// SGR 30-37 and 40-47: black, red, green, yellow, blue, magenta, cyan, white.
constexpr u8 kSgrOrder[8] = {0, 2, 3, 6, 1, 4, 5, 7};

constexpr u8 kRenditionBits = kRendBlink | kRendReverse | kRendUnderline | kRendBold | kRendInvisible;

// The colour byte keeps the colours as selected; the painter exchanges them for
// reverse cells.
void PutForeground(u8 c)
{
    c &= 0x0F;
    Rendition.foreground = c;
    CurrentColour = static_cast<u8>((CurrentColour & 0xF0) | c);
}

void PutBackground(u8 c)
{
    c &= 0x0F;
    Rendition.background = c;
    CurrentColour = static_cast<u8>((CurrentColour & 0x0F) | (c << 4));
    // SCO Console and AT 386 paint the screen around the text in it as well.
    if (IsScoConsole() || IsAt386()) {
        AttributeColourTable.frgscrn = AttributeColourTable.bckscrn = c;
        Rendition.screenColour = c;
    }
}

u8 NormalForeground()
{
    return AttributeColourTable.frg[0] & 0x0F;
}

u8 NormalBackground()
{
    return AttributeColourTable.bck[0] & 0x0F;
}

void ApplySgr(int p)
{
    switch (p) {
    case 0:
        // The consoles go back to the normal colours too: a host that ended colour
        // with SGR 0 (terminfo's sgr0) expects them.
        CurrentRendition &= static_cast<u8>(~kRenditionBits);
        PutForeground(NormalForeground());
        PutBackground(NormalBackground());
        return;
    case 1: CurrentRendition |= kRendBold; return;
    case 4: CurrentRendition |= kRendUnderline; return;
    case 5: CurrentRendition |= kRendBlink; return;
    case 7: CurrentRendition |= kRendReverse; return;
    case 8: CurrentRendition |= kRendInvisible; return;
    case 10:
    case 11:
        AnsiConsole.glyphMode = 3;
        AnsiConsole.alternateGlyph = p == 11;
        return;
    case 12:
        AnsiConsole.glyphMode = 2;
        AnsiConsole.alternateGlyph = 0;
        return;
    case 39: PutForeground(NormalForeground()); return;
    case 49: PutBackground(NormalBackground()); return;
    default: break;
    }
    if (p >= 30 && p <= 37)
        PutForeground(kSgrOrder[p - 30]);
    else if (p >= 40 && p <= 47)
        PutBackground(kSgrOrder[p - 40]);
}

}  // namespace

void AnsiSelectGraphicRendition()
{
    const int count = ParamCount();
    int i = 1;
    // SCO Console reads 2;f;b and 7;f;b as a colour pair (7 exchanging the two).
    if (IsScoConsole() && (Param(1) == 2 || Param(1) == 7) && count >= 3) {
        const int f = Param(2), b = Param(3);
        const bool exchange = Param(1) == 7;
        if (f <= 15 && b <= 15) {
            PutForeground(kMapC[exchange ? b : f]);
            PutBackground(kMapC[exchange ? f : b]);
        }
        i = 4;
    }
    for (; i <= count; ++i)
        ApplySgr(Param(i));
}

void AnsiSetConsoleColours(bool foreground)
{
    for (int i = 1; i <= ParamCount(); ++i) {
        const int p = Param(i);
        if (p > 15)
            continue;
        if (foreground)
            PutForeground(kMapA[p]);
        else
            PutBackground(kMapA[p]);
    }
}

void ScoReportColours()
{
    char text[16];
    const int n = std::snprintf(text, sizeof text, "%d %d\n", kMapR[Rendition.foreground & 0x0F],
                                kMapR[Rendition.background & 0x0F]);
    u16 units[16];
    for (int i = 0; i < n; ++i)
        units[i] = static_cast<u8>(text[i]);
    HostSendBlock(units, n);
}

void ScoColourEraseCells(int row, int first, int last)
{
    if (!IsScoConsole() || !AnsiConsoleMode || !Screen.lines)
        return;
    if (row < 0)
        row = 0;
    if (row > Screen.pageLength - 1)
        row = Screen.pageLength - 1;
    if (first < 0 || first > Screen.lastColumn)
        first = 0;
    if (last < 0 || last > Screen.lastColumn)
        last = Screen.lastColumn;
    ScreenLineRecord* line = LineAt(row);
    if (!line || first > last)
        return;
    const u8 bits = AnsiConsole.colourErase ? static_cast<u8>(CurrentRendition & kRenditionBits) : 0;
    for (int c = first; c <= last; ++c) {
        u8& r = line->cells[c].rendition;
        r = static_cast<u8>((r & ~kRenditionBits) | bits);
    }
}

void ScoColourEraseRows(int first, int last)
{
    if (!IsScoConsole() || !AnsiConsole.colourErase)
        return;
    if (first < 0 || first > Screen.pageLength - 1)
        first = 0;
    if (last < 0 || last > Screen.pageLength - 1)
        last = Screen.pageLength - 1;
    for (int row = first; row <= last; ++row)
        ScoColourEraseCells(row, 0, Screen.lastColumn);
}

void AnsiResetRendition()
{
    ApplySgr(0);
    AnsiConsole.glyphMode = 0;
    AnsiConsole.alternateGlyph = 0;
}

bool AnsiShowsControl(int c)
{
    if (!AnsiConsoleMode || c <= 0 || c >= 32 || (!AnsiConsole.alternateGlyph && AnsiConsole.glyphMode != 2))
        return false;
    // The controls that move the cursor, ring or start a sequence keep acting: the
    // consoles' line drawing never needs them, and a host still positions with them.
    // clang-format off
    switch (c) {
    case 7: case 8: case 9: case 10: case 11: case 12: case 13: case 14: case 15: case 27:
        return false;
    default:
        return true;
    }
    // clang-format on
}

int AnsiTranslateHostChar(int c)
{
    // SGR 12 shows the bytes below DEL as the PC characters 128 above them: the
    // consoles' line drawing.
    if (c > 0 && c < 127 && AnsiConsoleMode && AnsiConsole.glyphMode == 2 && (c >= 32 || AnsiShowsControl(c)))
        return c + 128;
    return c;
}
