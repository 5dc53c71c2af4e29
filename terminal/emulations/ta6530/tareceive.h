// The TA6530's receive loop on the core's host path: it takes typed keys unless a host
// command is half read, host bytes (through the block protocol) unless a typed command
// is, and does the idle work in between. Commands read their parameter bytes through it
// too, so one byte source serves the whole emulation.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The family's reader: the next byte 0-255 to process, or a negative read code.
int Ta6530Receive();
// A command's parameter byte; negative: the command is abandoned.
int TaReadParameter();
// Multi-byte commands: keys wait while the host's command is read, host bytes while a
// typed one is.
void TaHoldInput();
void TaEndCommand();
// A byte read one too many goes back to its source.
void TaPushBack(u8 byte);

// The ANSI parser's fetch: printable bytes, ESC and ST; SOH, ENQ, SO and SI are handled
// on the way, FS skipped; SUB shows 127 and, as anything else, ends the sequence (CAN).
int TaReadByte();
// The same, with ESC \ folded into ST and ESC ESC or ESC ST turned into CAN.
int TaReadSequenceByte();
// Up to ST or CAN.
void TaSkipString();

// The view of the conversational page as the scroll bar moves it, asked for by the
// user-interface thread and carried out by the reader (code 0 line up, 1 line down,
// 2 page up, 3 page down, 4 thumb at `position`), and Clear Screen and Reset Terminal.
constexpr int kTaViewClear = 10, kTaViewReset = 11;
void TaRequestView(int code, int position);
// Num Lock changed: row 24 shows it once the reader runs.
void TaNumLockChanged();
// What is left of a run of received bytes goes back to the connection (leaving the
// emulation).
void TaEndReceivedRun();
// The cursor of the display page is drawn (the reader hides it before it returns).
extern bool TaCursorDrawn;
