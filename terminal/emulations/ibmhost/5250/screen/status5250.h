// The 5250 status row below the screen: its indicators (message waiting, insert mode,
// input inhibited, the cursor position and the keystroke-macro fields) and the setters
// of the input state and the keyboard inhibit behind them.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"
#include "terminal/emulations/ibmhost/station/indicatortext.h"

constexpr u8 kStatusSymbol = 0x40;  // an IndicatorUnit that is a symbol number

// Writes units into columns first..last of the status row in a palette colour; unless
// the whole row is being redrawn, the span is painted.
void I5250ShowIndicator(I5250Session* s, int first, int last, const IndicatorUnit* text, u8 colour);
void I5250ClearStatusRow(I5250Session* s);
void I5250UpdateStatusSpan(I5250Session* s, int first, int last);
void I5250RedrawIndicators(I5250Session* s);
// The whole row rebuilt (after Clear Unit and a full repaint); Now also paints it.
void I5250RedrawStatusRow(I5250Session* s);
void I5250RedrawStatusRowNow(I5250Session* s);

void I5250SetInputState(I5250Session* s, u8 state);
// The host locks or unlocks the keyboard; an unlock with a keyboard-unlock delay only
// starts its timer.
void I5250SetInhibit(I5250Session* s, u32 on);
void I5250SetInhibitNow(I5250Session* s, u32 on);
// The unlock timer has run out (the communications loop asks each turn).
bool I5250UnlockTimerDue(const I5250Session* s);
void I5250SetInsertMode(I5250Session* s, u32 on);
// Insert mode off, except in text-assist mode.
void I5250ClearInsertMode(I5250Session* s);
void I5250SetMessageWaiting(I5250Session* s, u32 on);
// Writes the cursor position when it moved since it was last shown.
void I5250RefreshCursorPos(I5250Session* s);
void I5250ResetCursorPos(I5250Session* s);
// The status-row text as the test screen dump shows it: characters, each symbol as
// "{XX}" with its number in hexadecimal.
