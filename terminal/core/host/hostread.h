// The generic host reader of the host-data thread: it hands each input byte to the
// active emulation (ProcessHostChar), and between bytes serves replay and keyboard
// input, runs the idle work and waits when nothing can arrive.
//
// Readers return a byte 0..255 or one of the out-of-band codes below. They are all
// negative, so they can never be mistaken for data (a NUL byte is data), and every one
// of them ends an escape sequence that is being read.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

constexpr int kReadStop = -1;      // the program is stopping: every reader ends
constexpr int kReadBatched = -2;   // RouteKeyboardByte: the byte went into the send batch
constexpr int kReadHandOver = -3;  // the active emulation now reads for itself
constexpr int kReadHeld = -4;      // the user-interface thread holds the host-data thread
constexpr int kReadNothing = -5;   // nothing this turn (the telnet timing mark is awaited)

// Set when the byte just returned came from the keyboard as data for the emulation
// (typed in local mode, in a family's local or echoing mode, or from a key string run
// locally); emulations read it to tell local input from host data. The half-duplex
// echo counts as host data.
extern std::atomic<u8> CameFromKeyboard;

// One unit of input for the active emulation; 0 when the thread must end.
int ProcessHostChar();
// The next input byte through the active emulation's own fetch (-1 for a family that
// receives whole records).
int NextEmulationByte();
bool EmulationHasOwnReader();

// The next byte for the generic path: replay, then keyboard input (returned as data in
// local mode and with local echo, otherwise sent), then the connection.
int HostReadByte();
// The same for a reader inside an escape sequence: while a sequence from the host is
// open, only push-back, replay and host bytes are taken; typed keys wait (in local mode
// the keyboard is the host and is read as usual). A sequence whose first byte came from
// the keyboard (CameFromKeyboard) is read on from the keyboard alone, waiting for it,
// while received bytes wait: a key's string run through the emulation's own parser is
// never completed by host data.
int HostReadSequenceByte();

void RunEmulationIdleWork();

// The next keyboard byte: a byte to treat as received data, -1 none, kReadBatched.
int RouteKeyboardByte();

// Typed characters are collected and sent as one block of up to 256 units.
constexpr int kSendBatchUnits = 256;
void SendBatchPut(u16 unit);
void SendBatchFlush();

void SetKeyboardLocked(bool locked);
bool KeyboardLocked();
