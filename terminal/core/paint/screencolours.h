// The text and background colours of the screen device context, with a cache so that
// unchanged colours cost nothing, and the program's own palette on palette devices.
#pragma once

#include "terminal/core/paint/palette.h"
#include "terminal/core/base/win32.h"

// What SetTextColor, SetBkColor and brushes are given for each colour index: a
// palette-relative index while the program's palette is in use, else the device colour.
extern COLORREF TerminalPalette[kTerminalColours];
extern HPALETTE ProgramPalette;

// In reverse screen the two swap roles (the foreground setter sets the background).
void SetCellForeground(int index);
void SetCellBackground(int index);
void InvalidateColourCache();
// The colour index last set as text colour, -1 when unknown.
int CachedTextColourIndex();

// Creates the program's palette on a palette device; 1 on success or when none is
// needed, 0 on failure.
int CreateProgramPalette();
// Selects and realises the program's palette into a device context when one is in use
// and a realisation is pending or forced. Returns the number of entries that changed.
int RealizePaletteInto(HDC dc, bool force);
// Realises a pending palette change into the screen device context.
void RealizePendingPalette();
