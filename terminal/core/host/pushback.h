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
// The host stack's top byte when it is the only thing pushed back or injected (no
// keyboard, replay or key-string unit, no key string or injected text open), else -1.
// Taking the last one clears the reader's push-back attention: the received run it
// stood in front of may go on.
int PopHostByteAlone();

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

// Text delivered by HostReceiveByte as if received (a stored macro the host invoked).
// The reader keeps its own copy, so the text may change or go while it is read (a macro
// that redefines macros). A text injected while another is being read is read first,
// then the rest of the outer one, like a macro that invokes another; at most
// kInjectionDepth texts are open at once, so a macro that invokes itself ends.
constexpr int kInjectionDepth = 16;
// False when refused (too deep, or no memory); nullptr ends every open text.
bool InjectHostText(const u8* text, int length);
bool InjectHostText(const char* text);
bool InjectedTextPending();
// Bytes the open texts hold, read or not: they count against the host's macro memory.
int InjectedTextBytes();
// The next byte 0..255; -1 once when a text has ended, and when none is open.
int NextInjectedByte();

// Empties all four stacks and ends a key string being typed (terminal reset).
void ClearPushBackStacks();
