// The DG emulation in the running program (platform): its start and stop, the status
// bar, the Clear Screen command and its palette.
#pragma once

#include "terminal/core/base/vxtypes.h"

void DgActivate(u8 id);
void DgDeactivate();
bool DgApplyPalette();
void DgLayoutStatusBar(HINSTANCE instance);
// The cursor field " RRR,CCC ", written when the cursor moved.
void DgUpdateStatusCursor();
void DgClearScreenCommand();

struct tagMSG;
// The DG keys the shared key filter would take for itself (user-interface thread).
int DgKeyMessage(tagMSG* m, bool isPress);
