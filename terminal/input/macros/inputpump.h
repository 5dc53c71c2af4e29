// The host-data thread's side of the key events: the executor that runs each event
// type, the pump that hands the host reader its next unit of keyboard input, the
// literal text being typed, the compose key, and the typed characters that WM_CHAR
// brings on the user-interface thread.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

// Runs queued events until one is for the caller: 1 (a typed character or a unit of
// text, extra -1) or 3 (a special key with its shift state). -1 with value and extra
// 0xFFFF when nothing is left. With `allowDefinitions` a type-2 event runs the user's
// definition of that key.
int ExecuteInputEvent(int& value, int& extra, bool allowDefinitions);

// The next unit for the host, or -1 when nothing is waiting or the unit was consumed
// here (a special key went to its key action, a locked keyboard dropped it).
int PumpKeyboardInput();

// The typed character c in the active emulation's host character set, -1 when it has
// none.
int TranslateTypedChar(int c);

// WM_CHAR: queues the character (through the compose key while composing); with
// XON/XOFF flow control DC1 and DC3 release and hold the screen instead.
void HandleCharMessage(u32 character);
// c = 0 arms the compose key; then the first character is kept (0xFFFF) and the second
// ends composing with the composed character, or -1 and the bell for a pair without
// one. 0xFFFF while a modal dialog is open.
int ComposeKey(int c);
void EndComposeKey();
int ComposeState();  // -1 off, 0 armed, 1 first character kept

// Units of literal text still to be typed.
int BufferedKeyDefinitionCount();

// Keyboard indicator bits; 0x10 composing.
extern std::atomic<u8> KeyboardIndicators;

// Forgets the pending text and the compose state (the core's input reset).
void ResetInputPumpState();
