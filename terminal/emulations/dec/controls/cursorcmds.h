// Cursor commands, erasing, tab stops, line attributes and media copy of the DEC
// emulations: thin layers over the core's screen operations that decide the parameter
// rules, which operation runs and what is repainted.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kTabColumns = 132;
// 'T' where a tab stop is set, a blank elsewhere: the profile's "tabstops" value is the
// live table, so a saved profile keeps the host's stops.
extern wchar16 (&TabStops)[kTabColumns + 1];
// The three flags of CSI = Ps g.
extern u8 TabCommandFlags;

void ResetTabStops();  // every eighth column from the first
bool TabStopAt(int column);
void ClearTabCommandFlags();
void CursorTabBackward(int count);

// Handlers of the control-sequence tables.
void CursorUpCommand();
void CursorDownCommand();
void CursorForwardCommand();
void CursorBackwardCommand();
void CursorNextLine();            // CNL
void CursorPrecedingLine();       // CPL, and CSI = Ps F
void CursorHorizontalAbsolute();  // CHA, and CSI = Ps G
void HorizontalPositionAbsolute();
void HorizontalPositionRelative();
void CursorPosition();
void VerticalPositionAbsolute();
void VerticalPositionRelative();
void CursorForwardTabulation();
void CursorBackwardTabulation();
void SetTabStop();
void ClearTabStops();
void EraseInDisplay();
void EraseInLine();
void EraseCharactersCommand();
void InsertCharactersCommand();
void DeleteCharactersCommand();
void InsertLinesCommand();
void DeleteLinesCommand();
void ScrollUpCommand();
void ScrollDownCommand();
void SetScrollRegion();
void SetLeftRightMarginsCommand();
void SetLineSingleWidthTop();
void SetLineSingleWidthBottom();
void SetLineDoubleTop();
void SetLineDoubleBottom();
void SetLineSingleWidth();
void SetLineDoubleWidth();
void MediaCopy();
void NextLine();  // NEL
void Vt52CursorAddress();
void Vt52CursorUp();
void Vt52CursorDown();
void Vt52CursorRight();
void CursorBackOne();
void Vt52Home();
void EraseBelowCursor();
void EraseLineRight();

// Operations other parts call.
void EraseDisplayAll();
void ClearScreenHome();
void EraseUnprotectedCells(int row, int column, int n);
