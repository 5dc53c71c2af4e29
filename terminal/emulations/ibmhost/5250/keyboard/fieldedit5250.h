// The operator's side of a 5250 display station: characters typed into input fields
// under the field format word's rules, the field-exit keys with right adjustment and
// signs, the checks when the cursor leaves a field or an AID key is pressed, operator
// errors with their display and Reset, and character (NVT) mode typing.
#pragma once

#include <vector>

#include "terminal/emulations/ibmhost/5250/session5250.h"

// Operator error codes (shown as four hexadecimal digits).
enum I5250OperatorCode : u16 {
    kOpIoField = 0x04,
    kOpNotInField = 0x05,
    kOpSysReqKey = 0x06,
    kOpAlphaOnly = 0x08,
    kOpNumericOnly = 0x10,
    kOpSignPosition = 0x11,
    kOpInsertFull = 0x12,
    kOpMandatoryFill = 0x14,
    kOpSelfCheck = 0x15,
    kOpFieldMinus = 0x16,
    kOpFillExit = 0x17,
    kOpAlreadyExited = 0x18,
    kOpDupNotAllowed = 0x19,
    kOpExitRequired = 0x20,
    kOpMandatoryEnter = 0x21,
    kOpNotDigit = 0x26,
    kOpNotSelectable = 0x37,
};

// Shows an operator error on the message line and locks input (state 6) until Reset.
void I5250OperatorError(I5250Session* s, u16 code);
// The common body of Reset (also run when the host unlocks the keyboard).
void I5250ResetInputState(I5250Session* s);
// The Reset key.
void I5250KeyReset(I5250Session* s);

// A typed character (Unicode) in data-stream mode, or in character mode to the host.
void I5250TypedCharacter(I5250Session* s, wchar16 ch);
// One EBCDIC byte into the field at the cursor; 0 when refused.
int I5250EnterCharacter(I5250Session* s, u8 byte);
// Field Exit ('\0'), Field Plus ('+') and Field Minus ('-').
void I5250FieldExit(I5250Session* s, char sign);
// The checks when the cursor leaves a touched field; false stops what asked.
bool I5250CheckFieldOnExit(I5250Session* s);
bool I5250CheckMandatoryEnter(I5250Session* s);
// A modified mandatory-fill field left partly filled: the cursor goes back and 0014.
bool I5250CheckMandatoryFill(I5250Session* s);
// The "Allow5250EnterInFill" adjustment before an AID key.
void I5250EnterInFill(I5250Session* s);
// The addresses of a field's cells in reading order (over its extents).
std::vector<i32> I5250FieldCells(const I5250Field& f);
// True while typed keys must wait.
bool I5250IsKeyboardLocked(const I5250Session* s);
// The data-stream gate of the key handlers: false when the key may not act now.
bool I5250KeyGate(I5250Session* s);
