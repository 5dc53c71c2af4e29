// The DG emulation's bytes in and out: the received-byte filter, the operand reader its
// commands pull their operands with, and the sending of replies and key sequences.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The received-byte rule: native mode keeps 0xA1-0xFE while its 8-bit option is on;
// ANSI mode turns 0x80-0x9F into ESC and the byte - 0x40 (the second byte pushed back)
// and keeps 8-bit bytes while its option is on; every other byte loses bit 7.
int DgFilterReceivedByte(int byte);
// The next host byte inside a command; -1 when the read was broken off (the program
// stops, or the user-interface thread holds the host-data thread).
int DgReadByte();
// A reply or key sequence: 0x80-0x9F go out as ESC and the byte - 0x40. In local mode,
// or while a modal dialog is open, the bytes go onto the keyboard input stack as they
// are instead.
void DgSend(const u8* bytes, int count);
// The same without the 8-bit control conversion (replies made of raw byte values).
void DgSendRaw(const u8* bytes, int count);
// Pushes one byte onto the keyboard input stack (it leaves as a typed byte).
void DgPushKey(u8 byte);
