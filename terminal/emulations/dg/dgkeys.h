// The DG keyboard (key codes and shift states as the key dispatcher gives them: bit 0
// Shift, bit 1 Ctrl, bit 2 Alt).
#pragma once

void DgKeyHandler(int code, int shift);
