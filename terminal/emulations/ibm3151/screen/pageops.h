// What the IBM 3151's commands and keys do to a page: writing characters, cursor
// movement with its wrap and scroll rules, tabs, fields and their attribute cells,
// erasing, inserting and deleting, the start-of-message marker and the attributes that
// new characters take. Every operation works at the page's write position.
#pragma once

#include "terminal/emulations/ibm3151/i3151.h"

// The cell at a page position, and whether it is an attribute cell or in a protected
// field.
ScreenCell* I3151Cell(I3151PageRecord* page, int row, int column);
bool I3151IsAttributeCell(const ScreenCell& cell);
// The attribute cell of the field that holds a position (searching back, across rows
// and, without no-field-wrap, round from the page's end), or the default cell.
ScreenCell* I3151FieldAttributeAt(I3151PageRecord* page, int row, int column);
bool I3151InProtectedField(I3151PageRecord* page, int row, int column);

// Wrap and scroll tests.
bool I3151MayWrap(const I3151PageRecord* page);
bool I3151MayWrapForInsert(const I3151PageRecord* page);
bool I3151MayScroll(const I3151PageRecord* page);

void I3151WriteChar(I3151PageRecord* page, u8 byte);
// The step after a written cell: on to the next column, or at the last column to the
// next row's start when the page may wrap.
void I3151AdvanceAfterWrite(I3151PageRecord* page);

// Cursor moves on the write position.
void I3151CursorUp(I3151PageRecord* page);
void I3151CursorDown(I3151PageRecord* page);
void I3151CursorLeft(I3151PageRecord* page);
void I3151CursorRight(I3151PageRecord* page);
void I3151LineFeed(I3151PageRecord* page);
void I3151ReverseLineFeed(I3151PageRecord* page);
void I3151CarriageReturn(I3151PageRecord* page);
void I3151Home(I3151PageRecord* page);
void I3151NewLine(I3151PageRecord* page);
void I3151Tab(I3151PageRecord* page);
void I3151BackTab(I3151PageRecord* page);
// To the first position of the next unprotected field; false when there is none.
bool I3151NextUnprotectedField(I3151PageRecord* page);
// Home, then on to an unprotected field when home is protected or an attribute.
void I3151HomeToField(I3151PageRecord* page);

// Fields and attributes.
void I3151SetFieldAttribute(I3151PageRecord* page, const u8* values, int count);
void I3151SetCharacterAttribute(I3151PageRecord* page, const u8* values, int count);
void I3151SetDefaultField(I3151PageRecord* page, bool on);
void I3151ShowFieldAttributes();
void I3151SetStartOfMessage(I3151PageRecord* page, int row, int column);
// The start-of-message marker: false when the page has none.
bool I3151FindStartOfMessage(I3151PageRecord* page, int* row, int* column);
// Sets the MDT bit of the field that holds a position.
void I3151SetFieldMdt(I3151PageRecord* page, int row, int column);
void I3151ClearAllMdt(I3151PageRecord* page);

// Erasing, inserting and deleting.
void I3151EraseToEndOfField(I3151PageRecord* page);
void I3151EraseToEndOfPage(I3151PageRecord* page);
void I3151EraseUnprotected(I3151PageRecord* page);
void I3151ClearScreen();
void I3151ClearPage(I3151PageRecord* page);
void I3151ClearAllPages();
void I3151InsertLine(I3151PageRecord* page);
void I3151DeleteLine(I3151PageRecord* page);
void I3151DeleteCharacter(I3151PageRecord* page);
void I3151InsertCharacter(I3151PageRecord* page, u8 byte);

// Page attributes to their start: character attributes, field state, tab stops.
void I3151ResetPageAttributes(I3151PageRecord* page);
void I3151ClearTabStops(I3151PageRecord* page);

// Cells of every page drawn in the old normal colours take the new ones.
void I3151RecolourCells(u8 oldForeground, u8 oldWrittenBackground, u8 oldBlankBackground, u8 newForeground,
                        u8 newWrittenBackground, u8 newBlankBackground);
