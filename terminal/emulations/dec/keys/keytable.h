// The key dispatcher of the DEC VT and ANSI console family: a table by key code and
// shift state chooses the key action (vtkeys.h) that serves the key.
#pragma once

void DecDispatchKey(int keyCode, int shift);

// A typed character in the host character set, -1 when it has none.
int DecTranslateTypedChar(int c);
