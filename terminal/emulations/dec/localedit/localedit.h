// Local editing of the VT family: the user edits the screen in the terminal and sends
// the edited area to the host as one block. The host shapes the screen with guarded
// and selected areas; the profile's "edit_" values choose what a block holds and how
// it ends. While local editing is on, the VT operations hand over to the ones here.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr u8 kRendGuarded = 0x40;   // the host's guarded (protected) area
constexpr u8 kRendSelected = 0x80;  // the host's selected area
// The rendition bits that make two cells one field: all but written and selected.
constexpr u8 kFieldBits = 0x5F;

struct LocalEditState {
    u8 guardMask = 0;     // rendition bits that make a cell guarded
    u8 plainGuarded = 0;  // cells with no rendition are guarded
    i16 selectedRow = 0, selectedColumn = 0;
    u8 selectedPending = 0;
    i16 guardedRow = 0, guardedColumn = 0;
    u8 guardedPending = 0;
    u8 transmitLock = 0;                        // a transmission was refused: the rules apply in full
    i16 transferRow = -1, transferColumn = -1;  // previous transfer point ("edit_131")
};
extern LocalEditState LocalEdit;

// Editing state from the profile ("inedit": 0 off, 1 on, 2 off and fixed); the edit
// key and the host's mode ?10 switch between 0 and 1.
void SyncLocalEditState();
void SetLocalEditState(bool on);
// Everything the host set for local editing back to its start (terminal resets).
void ResetLocalEdit();

// The protection rules apply ("edit_protall", the transmit lock, or "erasemode" 0).
bool ProtectionRulesInForce();
// Protection is forced: "edit_protall" or the transmit lock.
bool ProtectionForced();
bool EditCellGuarded(int row, int column);
// Moves the cursor to the next (previous) unguarded cell from where it is; false when
// there is none.
bool EditNextUnguarded();
bool EditPreviousUnguarded();
// The first and last column of the field the cell belongs to, within the margins.
int FieldStart(int row, int column);
int FieldEnd(int row, int column);

// The edit-aware operations.
void EditPutChar(int c);
void EditInsertChars(int n);
void EditDeleteChars(int n);
void EditInsertLines(int n);
void EditDeleteLines(int n);
void EditEraseInDisplay(int ps, bool selective);
void EditEraseInLine(int ps, bool selective);
void EditEraseCharacters(int n);
void EditLineFeed();
void EditReverseIndex();
void EditWrapToNextLine();
void EditTabForward();
void EditTabForwardBy(int n);
void EditBackTab(int n);
void EditCursorHome();

// Block transmission: the area chosen by the profile, its character-set designations,
// the end-of-line and end-of-block strings.
void TransmitEditBlock();
