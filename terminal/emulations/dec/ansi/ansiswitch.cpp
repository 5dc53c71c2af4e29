// Entering and leaving the ANSI console family. The consoles are 25-line screens: the
// rows, page length and auto-wrap of the VT emulation are kept aside while one runs and
// given back when the user leaves it.
#include "terminal/core/paint/palette.h"
#include "terminal/emulations/dec/ansi/ansiconsole.h"

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/paintsettings.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/emulations/dec/ansi/ansipalettes.h"
#include "terminal/emulations/dec/controls/rendition.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/emulations/dec/vtmodes.h"
#include "terminal/emulations/dec/vtparts.h"
#include "terminal/settings/store/colours.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/settings/setup/setupcopy.h"

namespace {

// SCO Console and AT 386 show reverse video by exchanging the colours.
bool TakesInverseColours(u8 id)
{
    return id == kEmuScoConsole || id == kEmuAt386;
}

void StartVariant(u8 id)
{
    AnsiConsoleState& a = AnsiConsole;
    a.variant = id;
    SetDecEmulationId(id);
    if (TakesInverseColours(id)) {
        a.savedInvColour = Colours.invcolour;
        Colours.invcolour = 1;
    }
    a.colourErase = a.graphicChars = a.glyphMode = a.alternateGlyph = 0;
    for (auto& text : a.keyStrings)
        text[0] = 0;
    if (id == kEmuScoConsole)
        BuildScoVirtualScreens();
    // Each console shows its own palette: the factory one with the profile's over it.
    LoadConsolePaletteFromProfile(id);
    ApplyColourPalette();
}

void StopVariant()
{
    AnsiConsoleState& a = AnsiConsole;
    ScoPrintAllScreens(false);
    FreeScoVirtualScreens();
    if (TakesInverseColours(a.variant))
        Colours.invcolour = a.savedInvColour;
}

void ClearConsoleScreen()
{
    ResetCharsets();
    HomeCursor();
    BlankAllScreenLines();
    RepaintScreen();
}

}  // namespace

void EnterAnsiConsole(u8 id)
{
    AnsiConsoleState& a = AnsiConsole;
    a.savedRows = Screen.rows;
    a.savedPageLength = Screen.pageLength;
    a.savedAutoWrap = VtMode.autoWrap;
    a.savedCharacterMode = PaintSettings.characterMode;
    a.savedPcCodePage = PaintSettings.pcCodePage;
    // The consoles show their own character set: the PC code page unless Setup chose
    // another for them.
    PaintSettings.characterMode = Vt300Values.ansi386_upss;
    PaintSettings.pcCodePage = Vt300Values.ansi386_codepage;
    AnsiConsoleMode = 1;
    VtMode.autoWrap = 1;
    ClearConsoleScreen();
    ResizeWindowToRows(kAnsiConsoleRows);
    // Without pages the resize sized the page for the rows it had before: the page is
    // the console's 25 lines too, or the last line would be out of reach.
    if (Screen.rows == kAnsiConsoleRows)
        SetPageLengthIfChanged(kAnsiConsoleRows);
    SetMarginLinePointers(0, kAnsiConsoleRows - 1);
    SetLeftRightMargins(0, 0);
    AnsiResetRendition();
    StartVariant(id);
    MoveCursor(0, 0);
    UpdateVtStatusFields();
}

void ReapplyAnsiConsole(u8 id)
{
    StopVariant();
    ClearConsoleScreen();
    StartVariant(id);
    UpdateVtStatusFields();
}

void LeaveAnsiConsole()
{
    AnsiConsoleState& a = AnsiConsole;
    StopVariant();
    // The VT emulation that follows shows its own character set again: left in the PC
    // code page, its indicator line would be drawn in the consoles' glyphs.
    PaintSettings.characterMode = a.savedCharacterMode;
    PaintSettings.pcCodePage = a.savedPcCodePage;
    ResetCharsets();
    AnsiConsoleMode = 0;
    ApplyColourPalette();
    VtMode.autoWrap = a.savedAutoWrap;
    HomeCursor();
    BlankAllScreenLines();
    if (a.savedRows > 0) {
        ResizeWindowToRows(a.savedRows);
        // A Setup apply that left the console goes on with the VT rows, not the 25.
        SetSetupSizeText(SetupCopy.rows, a.savedRows);
    }
    if (a.savedPageLength > 0)
        SetPageLengthIfChanged(a.savedPageLength);
    a.variant = 0;
}

void ResetAnsiConsole()
{
    HomeCursor();
    ClearLines(0, Screen.pageLength - 1);
    SetTopBottomMargins(0, 0);
    VtMode.insertMode = 0;
    AnsiConsole.colourErase = AnsiConsole.graphicChars = AnsiConsole.glyphMode = AnsiConsole.alternateGlyph = 0;
    ResetCharsets();
    AnsiResetRendition();
    RepaintScreen();
}

const wchar16* AnsiConsoleName(u8 id)
{
    switch (id) {
    case kEmuAnsiBbs: return VXT(" Ansi BBS ");
    case kEmuScoConsole: return VXT(" Sco Console ");
    case kEmuAt386: return VXT("  AT 386  ");
    case kEmuAixterm: return VXT("  AIXTerm  ");
    default: return VXT("");
    }
}
