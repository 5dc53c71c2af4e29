// The texts that string key events carry (macro strings, literal text, window classes
// and program command lines). An event holds a 32-bit handle to its text, not the
// text's address, so nothing depends on the size of a pointer and a handle that was
// already freed is recognised instead of being followed.
//
// Every text records where it came from. Only the user's own definitions may bring a
// window to the top or start a program; text a host supplied is only ever typed or sent.
#pragma once

#include "terminal/core/base/vxtypes.h"

enum class TextOrigin : u8 { User, Host };

// A copy of `length` units plus a terminator; 0 when memory or the table ran out.
u32 StoreEventText(const wchar16* text, int length, TextOrigin origin);
// The text of a live handle (terminated), nullptr for 0 or a freed handle.
const wchar16* EventText(u32 handle, int* length = nullptr, TextOrigin* origin = nullptr);
void FreeEventText(u32 handle);
void FreeAllEventTexts();
int LiveEventTexts();

// The two halves an event carries, and the handle they make.
// clang-format off
inline u16 HandleHigh(u32 handle) { return static_cast<u16>(handle >> 16); }
inline u16 HandleLow(u32 handle) { return static_cast<u16>(handle & 0xFFFF); }
inline u32 HandleOf(u16 high, u16 low) { return (static_cast<u32>(high) << 16) | low; }
// clang-format on

// Queues a string event (types 4-12) with a copy of the text. Window and program
// events are refused for host text. False when refused (the bell sounds when the ring
// is full).
bool QueueStringEvent(const wchar16* text, int type, int length, TextOrigin origin = TextOrigin::User);
bool QueueStringEventZ(const wchar16* text, int type, TextOrigin origin = TextOrigin::User);
// The same at the ring's front (host-data thread).
bool PushStringEventFront(const wchar16* text, int type, int length, TextOrigin origin);
