#include "kbhook/keypadhook.h"

namespace {

// Keypad navigation keys and the digit keys on the same keycaps.
struct KeypadPair {
    u32 navigation;
    u32 digit;
};

const KeypadPair kKeypad[] = {
    {12, 101},  // VK_CLEAR   VK_NUMPAD5
    {33, 105},  // VK_PRIOR   VK_NUMPAD9
    {34, 99},   // VK_NEXT    VK_NUMPAD3
    {35, 97},   // VK_END     VK_NUMPAD1
    {36, 103},  // VK_HOME    VK_NUMPAD7
    {37, 100},  // VK_LEFT    VK_NUMPAD4
    {38, 104},  // VK_UP      VK_NUMPAD8
    {39, 102},  // VK_RIGHT   VK_NUMPAD6
    {40, 98},   // VK_DOWN    VK_NUMPAD2
    {45, 96},   // VK_INSERT  VK_NUMPAD0
    {46, 110},  // VK_DELETE  VK_DECIMAL
};

constexpr u32 kVkPause = 19;
constexpr u32 kVkNumLock = 144;
constexpr u32 kVkLControl = 162;
constexpr u32 kVkRControl = 163;
constexpr u32 kVkLMenu = 164;
constexpr u32 kVkRMenu = 165;

bool IsUp(u32 message)
{
    return message == KeyMsgUp || message == KeyMsgSysUp;
}

bool IsKeyMessage(u32 message)
{
    return message == KeyMsgDown || message == KeyMsgUp || message == KeyMsgSysDown || message == KeyMsgSysUp;
}

KeypadHookDecision Post(u32 vk, u32 lParam)
{
    KeypadHookDecision d;
    d.post = true;
    d.vk = vk;
    d.lParam = lParam;
    return d;
}

// The lParam of a key message made from the hook's record: scan code, repeat count 1,
// and for a release the previous-state and transition bits.
u32 KeyLParam(u32 message, u32 scan)
{
    return ((scan & 0xFF) << 16) + 1 + (IsUp(message) ? 0xC0000000u : 0);
}

void Track(u32& state, u32 bit, u32 message)
{
    if (IsUp(message))
        state &= ~bit;
    else
        state |= bit;
}

}  // namespace

KeypadHookDecision KeypadHookDecide(KeypadHookState& s, u32 message, u32 vk, u32 scan, u32 flags)
{
    if (!IsKeyMessage(message))
        return {};
    switch (vk) {
    case kVkLControl: Track(s.ctrl, 1, message); return {};
    case kVkRControl: Track(s.ctrl, 2, message); return {};
    case kVkLMenu: Track(s.alt, 1, message); return {};
    case kVkRMenu: Track(s.alt, 2, message); return {};
    case kVkPause:
        // Ctrl+Pause is the terminal's Num Lock, whether or not the keypad is translated.
        if (s.ctrl)
            return Post(kVkNumLock, 0);
        return {};
    case kVkNumLock:
        if (!s.translation)
            return {};
        if (s.ctrl && s.alt) {
            // The one way to change the real state on purpose; the new state is kept.
            KeypadHookDecision d;
            d.recordNumLock = IsUp(message);
            return d;
        }
        return Post(kVkNumLock, 1);
    }
    if (!s.translation)
        return {};
    for (const KeypadPair& p : kKeypad) {
        // The separate navigation block sends extended keys and is never translated.
        if (vk == p.navigation && s.recordedNumLock == 1 && !(flags & KeyFlagExtended))
            return Post(p.digit, KeyLParam(message, scan));
        if (vk == p.digit && s.recordedNumLock == 0)
            return Post(p.navigation, KeyLParam(message, scan));
    }
    return {};
}
