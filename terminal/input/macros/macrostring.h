// Macro strings: the text of a user's key definition, mouse macro or hot spot, run one
// token at a time through the key-event ring. Between plain characters it may hold key
// names in angle brackets ("<VK_F1>", "<CONTROL+VT_F6>"), a window class to raise in
// double quotes ("<"Notepad">"), and a program command line in parentheses
// ("(notepad.exe)"); "<<" and "((" type the bracket itself.
#pragma once

#include "terminal/core/base/vxtypes.h"

// Plain text goes out in pieces of at most this many units.
constexpr int kMacroPlainRunUnits = 254;

// One step of a macro-string event (types 4-6, the send modes of its definition) with
// the text's handle: the first token and the rest of the text are put at the front of
// the ring, the token before the rest, so that they run in order. The handle is used
// up. `front` is kept for callers that pass it; every step goes to the ring's front.
void RunMacroString(u32 handle, int mode, int front);
