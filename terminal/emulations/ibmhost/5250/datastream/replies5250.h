// 5250 read replies and the AID hand-shake: a read command waits for the operator's AID
// key while the host has invited input; the reply carries the cursor, the AID and the
// input fields in the order the format table and its resequencing give.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

// Builds and sends the reply of a read command (0x42, 0x52, 0x82, 0x72, 0x83).
void I5250BuildReadReply(I5250Session* s, u8 aid, u8 command);
// An AID key: the reply goes at once when the host invited input, else it waits.
void I5250SendAid(I5250Session* s, u8 aid);
// The reply of a waiting AID with the pending read; both are cleared and the read's
// control bytes applied.
void I5250SendPendingRead(I5250Session* s);
void I5250ClearPendingAid(I5250Session* s);
void I5250ResetInvite(I5250Session* s);
void I5250SetInvite(I5250Session* s);
void I5250SnapCursorToSelection(I5250Session* s);
// True when the AID's command-key switch bit asks for a reply without field data.
bool I5250AidWithoutData(const I5250Session* s, u8 aid);
