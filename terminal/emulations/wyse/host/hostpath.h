// The Wyse family's host-byte path: the byte fetch the escape handlers pull their
// arguments with, the keyboard side of the fetch, the printer-controller filter, the
// per-byte entry and the character writer.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The next host byte of a sequence (7 bits but in WY60), or -1 when none could be read
// or the family stopped: every handler that waits on an argument gives up on -1. A
// sequence typed locally takes its arguments from the keyboard.
int WyseReadHostByte();
// The keyboard side: the next typed unit (key events run their key actions here), and
// the typed byte to show locally (sent to the host first unless it stays local).
int WyseKeyboardByte();
int WyseTakeTypedByte();
// The reader's keyboard hook: a typed byte to process as received data, or -1.
int WyseReaderKeyboardByte();

void WyseSendByte(u8 byte);
void WyseSendBytes(const u16* units, int count);
// ACK after a command, unless the command was typed locally.
void WyseSendAck();

// Printer controller: the byte to display, or -1 when the printer took it.
int WysePrinterFilter(int byte);
// A received byte (printer filter, then the per-byte entry); the family's processChar.
void WyseHostByte(int value);
void WyseProcessChar(unsigned byte);
void WyseControlDispatch(int byte);
void WyseEscapeDispatch();
void WyseHz1500LeadIn();
// Writes one displayable byte at the cursor; true when the margin bell rang.
bool WysePutChar(unsigned byte);

// The print modes the control characters start: controller (2), controller with
// display (6), and one byte printed through the controller (DLE).
void WyseControllerOn();
void WysePrintWithDisplay();
void WyseEndPrinting();
