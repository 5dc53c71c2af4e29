// The terminal font: one fixed-pitch TrueType face scaled so that each character fills
// an exact cell, with its double-width, double-height and italic variants per line, the
// cell size every pixel position is computed from, and the list of faces Setup offers.
#pragma once

#include "terminal/core/base/win32.h"

constexpr int kAdvanceEntries = 132;

// Font flags of a line or run.
constexpr u8 kFontDoubleWidth = 0x08, kFontTopHalf = 0x10, kFontBottomHalf = 0x20, kFontItalic = 0x80;
constexpr u8 kFontSizeBits = 0x38;

// The cell of a normal line, and the cell the selected font draws (twice as wide while
// a double-width font is selected; the line height never changes).
extern int BaseCellWidth, BaseLineHeight;
extern int CellWidth, LineHeight;
// Pixel width of a line: 80 cells, or 40 double-width cells.
extern int LineWidthPixels;
// Every ExtTextOutW of the terminal advances each character by exactly one cell.
const INT* AdvanceArray();

// Sets the base and current cell size; always succeeds.
bool SetCellSize(int width, int height);
void FillTerminalLogFont(LOGFONTW* font, int height, int width, bool italic);
HFONT CreateTerminalFont(int height, int width, bool italic);
// Creates the font, selects it into the screen device context (deleting the one it
// replaces), narrows a face that turns out to be variable pitch, and takes the given
// size as the cell.
void MeasureTerminalFont(int height, int width, bool italic);
// Selects the font of a line's glyph set and font flags; nothing when both are as last
// time.
void SelectLineFont(int glyphSet, int fontFlags);
void RefreshTerminalFonts();
void SelectWidthFont(bool doubleWidth);
void InvalidateFontCache();
// True once a terminal font has been created.
bool TerminalFontExists();
// The font selected into the screen device context and what its metrics reported.
HFONT CurrentTerminalFont();
int FontAverageWidth();
int FontHeight();

// Face lists (32 faces at most). The character mode picks the font character set.
int EnumFontFacesForList(int characterMode);
int EnumFontFamiliesForList(int codePageIndex);
int FontFaceCount();
const wchar_t* FontFaceAt(int index);
// The index of the current face in the list, 0 when it is not there.
int FindFontIndex();
// The selected face index, a profile value; any value is accepted and clamped on use.
extern int SelectedFaceIndex;
// The face name for an index: the list entry, entry 0 for an index outside the list,
// "Courier New" without a list.
const wchar_t* FaceNameForIndex(int index);
const wchar_t* TerminalFaceName();

// Font character sets.
BYTE FontCharsetForMode(int characterMode);
BYTE FontCharsetForIbmCodePage(int codePageIndex);
