// The 3270 operator information area: the status row below the screen, written as short
// texts of EBCDIC characters and symbols, and the setters of the keyboard-inhibit state
// behind it.
#pragma once

#include "terminal/emulations/ibmhost/3270/session3270.h"
#include "terminal/emulations/ibmhost/station/indicatortext.h"

// The 3270's symbol flag of an indicator unit.
constexpr u8 kOiaSymbol = 0x02;

void I3270ShowOiaField(I3270Session* s, int first, int last, const IndicatorUnit* text, u8 colourCode);
void I3270ClearOia(I3270Session* s);
void I3270UpdateStatusSpan(I3270Session* s, int first, int last);
// The whole row rebuilt (after an erase or a repaint); Now also paints it.
void RedrawOia(I3270Session* s);
void I3270RedrawOiaNow(I3270Session* s);
void I3270RedrawIndicators(I3270Session* s);
void I3270ShowInhibit(I3270Session* s);
void I3270ShowSessionState(I3270Session* s);
void I3270ShowLuName(I3270Session* s, const wchar16* name);

void I3270SetInsertMode(I3270Session* s, u32 on);
void I3270SetLockReason(I3270Session* s, u32 on);
void I3270ResetInhibit(I3270Session* s);
void I3270UnlockKeyboard(I3270Session* s);
void I3270UnlockKeyboardNow(I3270Session* s);
// The keyboard locked with an inhibit entry (7 numeric, 9 protected, 15 not available ...).
void I3270SetOperatorError(I3270Session* s, u32 entry);
void I3270SetNumLockIndicator(I3270Session* s, u32 on);
// Writes the cursor position when it moved since it was last shown.
void I3270ShowCursorPosition(I3270Session* s);
void I3270ResetCursorPos(I3270Session* s);
// The keyboard-unlock timer has run out (the communications loop asks each turn).
bool I3270UnlockTimerDue(const I3270Session* s);
