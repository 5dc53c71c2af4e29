// The operator's side of a 3270 display: typed characters into unprotected fields,
// cursor movement and field navigation, the erase keys, Dup and Field Mark, insert
// mode, Cursor Select, and the keys that send an attention identifier.
#pragma once

#include "terminal/emulations/ibmhost/3270/session3270.h"

// True while typed keys must wait: an AID in progress, a host Write without restore,
// an operator error, or the unlock delay still running.
bool I3270InputInhibited(const I3270Session* s);

// A typed character (Unicode): controls run their keys, printables are keyed in, or in
// character mode sent to the host.
void I3270TypedCharacter(I3270Session* s, wchar16 ch);
// A byte the host sent in character (NVT) mode, shown at the cursor.
void I3270NvtHostCharacter(I3270Session* s, u8 byte);

void I3270SendAid(I3270Session* s, u8 aid);
void I3270KeyAid(I3270Session* s, u8 aid);
void I3270KeyEnter(I3270Session* s);
void I3270ClearKey(I3270Session* s);
void I3270KeySysReq(I3270Session* s);
void I3270KeyAttention(I3270Session* s);
void I3270KeyReset(I3270Session* s);

void I3270Tab(I3270Session* s);
void I3270BackTab(I3270Session* s);
void I3270FieldTab(I3270Session* s);
void I3270Home(I3270Session* s);
void I3270NewLine(I3270Session* s);
void I3270LineFeed(I3270Session* s);
void I3270CursorUp(I3270Session* s);
void I3270CursorDown(I3270Session* s);
void I3270CursorLeft(I3270Session* s);
void I3270CursorRight(I3270Session* s);
void I3270PreviousWord(I3270Session* s);
void I3270NextWord(I3270Session* s);
void I3270EndOfField(I3270Session* s);
void I3270EraseEof(I3270Session* s);
void I3270EraseInput(I3270Session* s);
void I3270DeleteCharacter(I3270Session* s);
void I3270DeleteWord(I3270Session* s);
void I3270Backspace(I3270Session* s);
void I3270InsertOn(I3270Session* s);
void I3270Dup(I3270Session* s);
void I3270FieldMark(I3270Session* s);
void I3270CursorSelect(I3270Session* s);
void I3270MagStripeAttribute(I3270Session* s);
