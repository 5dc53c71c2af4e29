// A 5250 session in character (NVT) mode, before the host agrees to block mode: what
// the host sends is shown at the cursor, what is typed goes to the host.
#pragma once

#include "terminal/emulations/ibmhost/5250/session5250.h"

void I5250NvtHostCharacter(I5250Session* s, u8 byte);
void I5250NvtTypedCharacter(I5250Session* s, wchar16 ch);
void I5250NvtCarriageReturn(I5250Session* s);
void I5250NvtLineFeed(I5250Session* s);
void I5250NvtTab(I5250Session* s);
void I5250NvtBackspace(I5250Session* s);
