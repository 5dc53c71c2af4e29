// Fields and video attributes of a TA6530 page. An attribute cell (shown as a blank)
// sets the video attribute of the cells after it; a field start is an attribute cell
// that also carries a data byte (protection, data type, modified tag) and a colour byte
// for the cells up to the next field start. Every cell that is not an attribute cell
// keeps the attribute and colour in force at it, so painting reads one cell at a time.
#pragma once

#include "terminal/emulations/ta6530/tastate.h"

struct TaFieldInfo {
    u8 video;  // the attribute in force
    u8 data;   // the data byte of the field in force
    u8 colour;
    int startLine = -1, startColumn = 0;  // the field start, -1 none (the page's base)
};
// What is in force at a position of a page, the position's own cell included.
TaFieldInfo TaFieldAttributeAt(const TaPage& page, int line, int column);

// After an attribute cell or field start came or went at a position: the cells after
// it take what is now in force, up to the next attribute cell (video) and the next
// field start (colour). Changed cells are marked for painting.
void TaRespreadFrom(const TaPage& page, int line, int column);
// The whole display page (after a page change or a new base attribute).
void TaSpreadFieldAttributes();

// Protected block mode. A position is typable when it lies in a field whose data byte
// lacks the protection bit and is not itself a field start.
bool TaPositionProtected(const TaPage& page, int line, int column);
// Cursor moves of the current page (the display page for typed bytes).
void TaNextUnprotectedField();
void TaPrevUnprotectedField();
// On a protected position: on to the next unprotected field.
void TaMoveToUnprotected();
void TaStartOfField();
void TaEndOfField();
void TaEndOfData();
void TaHomeDown();
// The positions of the field at a position: its first and last typable positions.
bool TaFieldBounds(const TaPage& page, int line, int column, int* firstLine, int* firstColumn, int* lastLine,
                   int* lastColumn);
