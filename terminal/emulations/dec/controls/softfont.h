// The downloadable soft font of the VT500 emulations: 96 glyphs of up to 16 x 20 pixels
// loaded by the host as sixel strings, and the decoder that turns a load's parameters
// and data bytes into glyphs. The decoder is fed byte by byte by the control-string
// reader, so it knows nothing of where the bytes come from.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kSoftFontRows = 20;
// The painter addresses glyphs by (character - 32) AND 127, so the table has 128 slots
// although a set never has more than 96 characters: every index it can form is inside.
constexpr int kSoftFontSlots = 128;

struct SoftFontLoadParameters {
    u8 pfn = 0;
    u8 startChar = 33;
    u8 erase = 0;
    u8 cellWidth = 0;
    u8 fontWidth = 1;
    u8 textCell = 1;
    u8 cellHeight = 0;
    u8 setSize = 0;  // Pcss: 0 a 94-character set, 1 a 96-character set
    // Derived geometry.
    u8 maxRows = 10;    // rows of the glyph matrix: 8, 10, 12, 16 or 20
    u8 multiplier = 2;  // 2 when each loaded row is shown twice
    u8 maxWidth = 8;    // columns of the glyph matrix
    u8 width = 7;       // columns a glyph is loaded with
    u16 startBit = 0x8000;
    u8 startRow = 0;
};

struct SoftFontState {
    u16 glyphs[kSoftFontSlots][kSoftFontRows];  // bit 15 of a row is the leftmost pixel
    SoftFontLoadParameters params;
    u16 name[3];  // the Dscs of the loaded set (intermediates and final), 0 when none
    u8 set96;     // the loaded set is a 96-character set
    u8 changed;   // set after every load for the painter
    // Decoder of the load in progress.
    u16 row;        // first glyph row the next sixel writes
    u16 columnBit;  // column the next sixel writes
    u8 columnsLeft;
    u8 glyphStopped;  // a '/' past the last sixel row: the rest of this glyph is dropped
    u8 invalid;       // nothing more of this load is stored
    int character;    // character the glyph being accumulated is stored at
    u16 accumulator[kSoftFontRows];
};
extern SoftFontState SoftFont;

// Load parameters to their defaults, glyph 32 blank, 33-126 the default glyph.
void ResetSoftFont();

// Starts a load (DCS Pfn;Pcn;Pe;Pcmw;Pw;Pt;Pcmh;Pcss {): the parameters in order, absent
// ones as 0. False when the parameters are invalid for the terminal model; nothing is
// changed then.
bool BeginSoftFontLoad(const u16* parameters, int count, u8 terminalId);
// The Dscs read after '{' (1-3 bytes); a new name erases the whole font first. Also
// applies the erase control and the set size.
void SetSoftFontName(const u8* name, int length);
// One data byte: ';' ends a glyph, '/' starts the next sixel row, 0x3F-0x7E is a sixel.
void FeedSoftFontByte(u8 b);
// End of the string: the last glyph is stored.
void EndSoftFontLoad();

// True when the Dscs `name` (length 1-3) selects the loaded soft set.
bool SoftFontNameMatches(const u16* name, int length);
void ForgetSoftFontName();

// The glyph matrix the painter draws: columns and rows of the stored glyphs.
int SoftFontMatrixWidth();
int SoftFontMatrixHeight();
