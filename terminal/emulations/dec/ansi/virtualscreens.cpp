// SCO Console's six virtual screens (CSI n z): each keeps its 25 lines, its cursor,
// its rendition and character sets and its saved cursor. Screen 1 is the live screen's
// own lines; the other five own lines of their own while the console runs. A switch
// exchanges the line pointers, so nothing is copied.
#include <cstdlib>

#include "terminal/core/host/hostio.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/screen/screenmodes.h"
#include "terminal/emulations/dec/ansi/ansiconsole.h"
#include "terminal/emulations/dec/vtparts.h"

namespace {

struct ScoVirtualScreen {
    i16 row, column;
    u8 colour, rendition, flags, pendingWrap;
    u8 colourErase, glyphMode, alternateGlyph, graphicChars;
    VtModeFlagSet modes;
    SavedCursorRecord savedCursor;
    ScreenLineRecord* lines[kAnsiConsoleRows];
};

ScoVirtualScreen* g_screens = nullptr;
int g_shown = 0;

void StoreShown(ScoVirtualScreen& s, bool withLines)
{
    s.row = Screen.cursorRow;
    s.column = Screen.cursorColumn;
    s.colour = CurrentColour;
    s.rendition = CurrentRendition;
    s.flags = CurrentFlags;
    s.pendingWrap = PendingWrap;
    s.colourErase = AnsiConsole.colourErase;
    s.glyphMode = AnsiConsole.glyphMode;
    s.alternateGlyph = AnsiConsole.alternateGlyph;
    s.graphicChars = AnsiConsole.graphicChars;
    s.modes = VtMode;
    s.savedCursor = SavedCursor;
    if (withLines)
        for (int r = 0; r < kAnsiConsoleRows; ++r)
            s.lines[r] = Screen.lines[r];
}

void LoadShown(const ScoVirtualScreen& s)
{
    // The painter leaves the table alone while its pointers move.
    const u8 rearranging = Screen.rearranging.exchange(1);
    for (int r = 0; r < kAnsiConsoleRows; ++r)
        Screen.lines[r] = s.lines[r];
    Screen.rearranging = rearranging;
    CurrentColour = s.colour;
    CurrentRendition = s.rendition;
    CurrentFlags = s.flags;
    AnsiConsole.colourErase = s.colourErase;
    AnsiConsole.glyphMode = s.glyphMode;
    AnsiConsole.alternateGlyph = s.alternateGlyph;
    AnsiConsole.graphicChars = s.graphicChars;
    VtMode = s.modes;
    SavedCursor = s.savedCursor;
    MoveCursorAbsolute(s.row, s.column);
    PendingWrap = s.pendingWrap;
}

bool LiveScreenFits()
{
    return Screen.lines && Screen.pageLength >= kAnsiConsoleRows && Screen.lineCount >= kAnsiConsoleRows;
}

}  // namespace

bool BuildScoVirtualScreens()
{
    if (g_screens)
        return true;
    if (!LiveScreenFits())
        return false;
    auto* screens = static_cast<ScoVirtualScreen*>(std::calloc(kScoVirtualScreens, sizeof(ScoVirtualScreen)));
    if (!screens)
        return false;
    for (int i = 0; i < kScoVirtualScreens; ++i) {
        StoreShown(screens[i], i == 0);
        if (i == 0)
            continue;
        for (ScreenLineRecord*& line : screens[i].lines) {
            line = static_cast<ScreenLineRecord*>(std::calloc(1, sizeof(ScreenLineRecord)));
            if (!line) {
                for (int j = 1; j <= i; ++j)
                    for (ScreenLineRecord* l : screens[j].lines)
                        std::free(l);
                std::free(screens);
                return false;
            }
            BlankLineCells(line);
        }
        screens[i].row = screens[i].column = 0;
        screens[i].pendingWrap = 0;
    }
    g_screens = screens;
    g_shown = 0;
    return true;
}

void FreeScoVirtualScreens()
{
    if (!g_screens)
        return;
    if (g_shown != 0 && LiveScreenFits()) {
        StoreShown(g_screens[g_shown], true);
        LoadShown(g_screens[0]);
    }
    for (int i = 1; i < kScoVirtualScreens; ++i)
        for (ScreenLineRecord* line : g_screens[i].lines)
            std::free(line);
    std::free(g_screens);
    g_screens = nullptr;
    g_shown = 0;
}

void ScoSwitchVirtualScreen(int n)
{
    if (!g_screens || n < 0 || n >= kScoVirtualScreens || n == g_shown || !LiveScreenFits()) {
        RequestBell();
        return;
    }
    StoreShown(g_screens[g_shown], true);
    LoadShown(g_screens[n]);
    g_shown = n;
    ShowPageField();
    RepaintScreen();
}

const ScreenLineRecord* ScoVirtualScreenLine(int screen, int row)
{
    // A screen keeps its own lines wherever it is shown, but the shown one's order on
    // the screen is the live table's (scrolling rotates it).
    if (!g_screens || screen < 0 || screen >= kScoVirtualScreens || row < 0 || row >= kAnsiConsoleRows)
        return nullptr;
    return screen == g_shown ? LineAt(row) : g_screens[screen].lines[row];
}

int ScoShownVirtualScreen()
{
    return g_screens ? g_shown : 0;
}
