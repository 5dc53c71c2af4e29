// The character sets of the DEC emulations: G0-G3 designations and their invocation
// into GL and GR (kept in VtMode, which the character writer reads), the national
// replacement sets of the keyboard languages, the user-preferred supplemental set, the
// soft-font load and the VT100 test fills.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Set codes of the designations.
enum CharsetCode : u8 {
    kSetAscii = 1,
    kSetDecGraphics = 2,
    kSetNational = 3,
    kSetUserPreferred = 4,
    kSetDecSupplemental = 5,
    kSetLatin1 = 6,
    kSetSoftFont = 7,
    kSetDecTechnical = 8,
};

struct CharsetExtraState {
    u8 setDisplayFlag = 0;  // the core's G-set display flag, cleared by every reset
};
extern CharsetExtraState Charsets;

// The two national finals of keyboard language `language`; false when it has none.
bool NationalFinals(int language, u8* first, u8* second);
// The user-preferred supplemental set is a 96-character set.
bool UserPreferredIs96();
// The keyboard language (national set index) of the terminal.
int KeyboardLanguage();

// Handlers of the control-sequence tables.
void DesignateG0();
void DesignateG1();
void DesignateG2();
void DesignateG3();
void DesignateG1Of96();
void DesignateG2Of96();
void DesignateG3Of96();
void LockShift2();
void LockShift3();
void LockShift3Right();
void LockShift2Right();
void LockShift1Right();
void SingleShift2();
void SingleShift3();
void AssignUserPreferredSet();
void LoadSoftFont();
void AlignmentDisplay();
// ESC } in VT100: the test fills and view moves of the factory test.
void Vt100TestCommand();

void DesignateCharset(int g, bool is96);
// Every G set holding the user-preferred set takes its size again.
void ApplyUserPreferredSet();
// Fills every cell of the screen with `ch` (DECALN and the VT100 test command).
void FillScreenWith(u8 ch);
