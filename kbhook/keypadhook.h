// What the keyboard hook does with one key event: the keypad translation that keeps the
// keypad behaving as the recorded Num Lock state says, Num Lock kept from toggling, and
// the Ctrl and Alt state it needs for that. Win32-free; the hook procedure applies it.
#pragma once

#include "terminal/core/base/vxtypes.h"

// The keyboard messages a low-level hook reports.
constexpr u32 KeyMsgDown = 0x0100;     // WM_KEYDOWN
constexpr u32 KeyMsgUp = 0x0101;       // WM_KEYUP
constexpr u32 KeyMsgSysDown = 0x0104;  // WM_SYSKEYDOWN
constexpr u32 KeyMsgSysUp = 0x0105;    // WM_SYSKEYUP

constexpr u32 KeyFlagExtended = 0x01;  // the low-level record's extended-key flag

struct KeypadHookState {
    u32 translation = 0;  // nonzero: translate (set with the target window)
    HWND target = nullptr;
    u32 recordedNumLock = 0;  // 0 or 1
    u32 ctrl = 0;             // bit 0 left Ctrl down, bit 1 right Ctrl down
    u32 alt = 0;              // bit 0 left Alt down, bit 1 right Alt down
};

struct KeypadHookDecision {
    bool post = false;  // post `vk` with `lParam` in the same message and swallow
    u32 vk = 0;
    u32 lParam = 0;
    bool recordNumLock = false;  // the event goes on; then record the real Num Lock state
};

// Decides for one event and updates the Ctrl and Alt state. Posting needs a target
// window that exists; without one the caller lets the event go on unchanged.
KeypadHookDecision KeypadHookDecide(KeypadHookState& s, u32 message, u32 vk, u32 scan, u32 flags);
