// The ANSI console family: Ansi BBS, SCO Console and AT 386 on the VT family's screen,
// cursor, rendition and character-set machinery, with a parser of their own whose
// parameters may also be quoted texts (a host redefining keys), their own control
// sequences, the SCO function-key strings and the SCO virtual screens.
#pragma once

#include "terminal/core/base/vxtypes.h"
#include "terminal/core/host/escparser.h"

struct ScreenLineRecord;

constexpr int kAnsiQuotedUnits = 132;
constexpr int kScoKeyStrings = 30;
constexpr int kScoKeyStringUnits = 29;  // a text of 30 bytes or more is refused
constexpr int kScoVirtualScreens = 6;
constexpr int kAnsiConsoleRows = 25;

struct AnsiConsoleState {
    u8 variant = 0;       // the emulation id running (Ansi BBS, SCO Console, AT 386)
    u8 colourErase = 0;   // SCO: erased cells take the current rendition
    u8 graphicChars = 0;  // SCO: the plain CSI g shows its parameters as characters
    u8 glyphMode = 0;     // 2: bytes below 127 show as the PC character of byte + 128
    // SGR 11: the control codes that move nothing show as the PC symbols of their codes
    // (the consoles' arrows, diamonds and triangles) instead of acting.
    u8 alternateGlyph = 0;
    // The quoted text being collected: its quote character (0 none) and length.
    u8 quote = 0;
    int quotedLength = 0;
    char quoted[kCsiSlots + 1][kAnsiQuotedUnits + 2] = {};
    // The host's function-key strings (ESC Q): 0-14 unshifted F1.., 15-29 shifted.
    wchar16 keyStrings[kScoKeyStrings][kScoKeyStringUnits + 1] = {};
    // Taken on entry and put back on leaving.
    int savedRows = 0, savedPageLength = 0;
    u8 savedAutoWrap = 0, savedInvColour = 0;
    u8 savedCharacterMode = 0, savedPcCodePage = 0;
};
extern AnsiConsoleState AnsiConsole;

bool IsScoConsole();
bool IsAt386();

// The family's sequence reader: a quoted text takes every byte up to its closing quote;
// controls met elsewhere are executed; 0 ends the sequence.
int AnsiNextSequenceByte();
// The quoted text of parameter i (1-based), nullptr when the parameter was a number.
const char* AnsiQuotedParam(int i);

// The CSI final bytes: one dispatch by final byte, marker and variant.
void AnsiCsiFinal();
// Select graphic rendition with the family's colour rules; the normal rendition and
// colours.
void AnsiSelectGraphicRendition();
void AnsiResetRendition();
// CSI = x F / G and the other colour forms: parameter 0-15 through colour map A.
void AnsiSetConsoleColours(bool foreground);
// SCO's colour report (CSI = M): the current colours, as parameters of CSI = F / G.
void ScoReportColours();
// Key redefinition (CSI p) and the SCO function-key strings (ESC Q).
void AnsiRedefineKey();
void ScoDefineFunctionKey();
// Capture control: ESC P [n] z name ;
void AnsiCaptureControl();
// SCO virtual screens: built on entry, freed on leaving; n 0-5.
bool BuildScoVirtualScreens();
void FreeScoVirtualScreens();
void ScoSwitchVirtualScreen(int n);
int ScoShownVirtualScreen();
// Line `row` of virtual screen `screen` as it stands now (the live line for the one
// shown); nullptr outside SCO Console or the screens.
const ScreenLineRecord* ScoVirtualScreenLine(int screen, int row);
// Media copy's print of all six screens (CSI ? 11 i), and any other media copy, which
// drops a pending one. The console family's Print Screen and print step run it.
void ScoPrintAllScreens(bool all);
void ConsolePrintScreen();
void ConsolePrintStep(u32 value);

// The switch: entering and leaving the family, and the menu Reset.
void EnterAnsiConsole(u8 id);
void ReapplyAnsiConsole(u8 id);
void LeaveAnsiConsole();
void ResetAnsiConsole();
// The family's name in the status bar (" Sco Console ").
const wchar16* AnsiConsoleName(u8 id);
