// The HP 700/92's byte path: the core's reader hands every input byte to HpProcessChar;
// the escape walker pulls the rest of a sequence through Hp700NextSequenceByte, so one
// call consumes a whole sequence.
#pragma once

#include "terminal/emulations/hp700/hp700.h"

// One input value of the reader (negative values are not bytes and are ignored).
void HpProcessChar(int value);
// The next byte of a sequence (7 bits, ENQ skipped), or a negative value: the reader
// stopped, was held or handed over, or an ESC began a new sequence; the sequence that
// asked is abandoned.
int Hp700NextSequenceByte();
// The next byte of data an escape announced (label text, a user key's string), 8 bits,
// or a negative value when the reader stopped.
int Hp700NextDataByte();
// Parses the groups after the group letter of ESC & or ESC * into *Hp700.groups; false
// when the sequence was abandoned (the groups read so far are kept). A "-" without
// digits is a negative group of value 0 (ESC & a reads it as a relative move by 0).
bool Hp700ParseGroupParameters();

// Sending: one byte at once, or queued units flushed as one block.
void Hp700SendByte(u8 b);
void Hp700QueueSendUnit(u16 unit);
void Hp700FlushSend();
