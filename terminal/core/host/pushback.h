// Push-back stacks: a parser that has read one byte too many gives it back to the
// source it came from, and key handlers queue units for the host-data thread. Four
// last-in-first-out stacks of 128 entries; a push onto a full stack is dropped, a pop
// of an empty stack gives -1. One lock guards them, since key handlers on the
// user-interface thread push while the host-data thread pops.
#pragma once

#include "terminal/core/base/vxtypes.h"

constexpr int kPushBackCapacity = 128;

void PushKeyboardInput(u16 unit);
// Pushes the units so that they pop in the order given. When they do not all fit, the
// first ones are kept (a string's beginning matters more than its tail).
void PushKeyboardString(const u16* units, int n);
int PopKeyboardInput();  // -1 when empty

void PushHostByte(u16 unit);
int PopHostByte();  // -1 when empty, else the low 8 bits

void PushReplayByte(u8 byte);
int PopReplayByte();  // -1 when empty

int PopKeyStringByte();  // -1 when empty

int KeyboardStackCount();
int HostStackCount();
int ReplayStackCount();
int KeyStringStackCount();

// Gives a byte back to the source it came from: the keyboard while a modal dialog is
// open, else the replay file, else the key string being typed, else the host unless
// the keyboard is the local source of data (local mode, or a string processed locally).
void PushBackInputByte(u8 byte);

// A key-definition string being typed locally: the caller keeps the units alive until
// NextKeyStringUnit has given them all.
void StartKeyString(const u16* units, int n);
bool KeyStringActive();
// The next unit of that string (the key-string stack first); -1 and the string state
// cleared when both are exhausted. Every unit returned marks the byte as typed.
int NextKeyStringUnit();

// Text delivered by HostReceiveByte as if received (a stored macro the host invoked);
// the pointer must stay valid until its terminating 0 has been read.
void InjectHostText(const char* text);
bool InjectedTextPending();
int NextInjectedByte();  // next byte; 0 ends the injection (then -1)

// Empties all four stacks and ends a key string being typed (terminal reset).
void ClearPushBackStacks();
