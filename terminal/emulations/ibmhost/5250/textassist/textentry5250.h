// The 5250 text-assist entry engine: typed characters go into the lines of the text
// screen, kept inside their margins, with insertion and word wrap onto the next line
// (asking the host for room when no line is free), and the scale line, the line tag,
// the line number and the character text follow the cursor.
#pragma once

#include <vector>

#include "terminal/emulations/ibmhost/5250/session5250.h"

// 1 when the byte was taken (also held back, or the answer of a character wait), 0 when
// refused with an operator error.
int I5250TextEnterCharacter(I5250Session* s, u8 byte);
// The cursor move in text-assist mode: a new row brings its scale line and numbers.
int I5250MoveTextCursor(I5250Session* s, i32 address);
void I5250TextDrawScaleLine(I5250Session* s);
void I5250TextShowLineTag(I5250Session* s, int tag);
void I5250TextShowLineNumber(I5250Session* s);
void I5250TextShowCharacterText(I5250Session* s);
// A command-key entry that asks the operator: its text and a one-line answer area.
void I5250TextOpenPrompt(I5250Session* s, const std::vector<u8>& text, u8 aid);

// Row operations of the word wrap (rows 0-based).
// A new row at `row` of the text area: 1 the rows from it moved down, -1 the rows above
// moved up (the new row is row - 1), 0 no room.
int I5250TextRowInsert(I5250Session* s, int row);
int I5250TrailingNullCount(const I5250Session* s, i32 first, i32 last);
void I5250ShiftCellsRight(I5250Session* s, i32 first, i32 last, int count);
i32 I5250WordStart(const I5250Session* s, i32 from, i32 first);
