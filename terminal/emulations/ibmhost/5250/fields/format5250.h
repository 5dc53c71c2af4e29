// The 5250 format table: which input field holds an address, the current field with
// its entry attribute, cursor moves and the Field Advance / Field Backspace moves, the
// home position, and the table's clearing routines.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

// Where an address lies in the format table.
struct I5250FieldAt {
    i32 field;        // index into fields, -1 none
    i32 extent;       // index into the field's extents
    i32 first, last;  // the extent's first and last cell (beyond the buffer when none)
};
I5250FieldAt I5250FindField(const I5250Session* s, i32 address);
// The number (1-based) of the field one of whose extents starts at the address; 0 none.
int I5250FindFieldStartingAt(const I5250Session* s, i32 address);
// The first cell of a field and its last cell (over all extents).
i32 I5250FieldFirst(const I5250Field& f);
i32 I5250FieldLast(const I5250Field& f);
// The current field, or nullptr.
I5250Field* I5250CurrentField(I5250Session* s);

// After every cursor change: the field at the cursor becomes the current field, and its
// highlighted-entry attribute shows while the cursor is in it.
void I5250TrackCursorField(I5250Session* s);
bool I5250IsOutsideCurrentExtent(const I5250Session* s, i32 address);
// Moves the cursor (1-based address); 0 when the move is refused.
int I5250MoveCursor(I5250Session* s, i32 address);
// Next or previous input field; 0 when there is none (the cursor goes to 1).
int I5250FieldAdvance(I5250Session* s);
int I5250FieldAdvanceProgression(I5250Session* s);
int I5250FieldBackspace(I5250Session* s);
int I5250FieldBackspaceProgression(I5250Session* s);
i32 I5250HomeAddress(const I5250Session* s);

void I5250ResetFieldMdt(I5250Session* s, bool all);
void I5250NullFields(I5250Session* s, bool all);
void I5250RecheckModified(I5250Session* s);
void I5250ClearFormatTableEntries(I5250Session* s);
// Removes the selection fields of a row (0-based), or all of them (-1).
void I5250RemoveSelectionFields(I5250Session* s, int row);
// The selection field and choice that hold an address (-1 none).
struct I5250ChoiceAt {
    i32 field, choice;
};
I5250ChoiceAt I5250FindChoice(const I5250Session* s, i32 address);
