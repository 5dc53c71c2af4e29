// The keyboard filter: key messages become key events for the host-data thread.
#pragma once

#include "terminal/core/win32.h"

// Non-zero when it took the key message.
int KeyMessageFilter(MSG* message);
bool KeyAutoRepeatEnabled();
void HandleCharMessage(u32 character);
void ClearPendingKeyState();
