// What a 3270 sends the host: read replies, the AID-led replies of the keys and the
// Query Replies, built in the session's output buffer; and the keying of one character
// into the buffer.
#pragma once

#include "terminal/emulations/ibmhost/3270/session3270.h"

u32 I3270ReadCommand(I3270Session* s, const u8* data, int length, u8 command);
void I3270BuildReadReply(I3270Session* s, u8 command);
u32 I3270QueryRequest(I3270Session* s, u8 requestType, int listLength, const u8* list, u8 aid);
void I3270BuildQueryReplies(I3270Session* s);
void I3270BuildQueryReply(I3270Session* s, u8 code);
// Keys one EBCDIC character at the cursor; 1 stored, 0 refused (the operator error set).
int I3270EnterCharacter(I3270Session* s, u8 character, int reserved, u8 characterSet);
// A typed character through the national (E2E) table.
u8 I3270TranslateTyped(const I3270Session* s, u8 character);
void I3270ToggleDisplayMode(I3270Session* s);

// The output buffer: appends one byte; empties it.
void I3270Put(I3270Session* s, u8 byte);
void I3270ClearOutput(I3270Session* s);
