#include "terminal/input/macros/inputpump.h"

#include <mutex>

#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/host/pushback.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/input/macros/eventcommands.h"
#include "terminal/input/macros/eventtext.h"
#include "terminal/input/macros/keydefs.h"
#include "terminal/input/keyboard/keydispatch.h"
#include "terminal/input/macros/keyevents.h"
#include "terminal/input/macros/macrostring.h"
#include "terminal/settings/store/profilevalues.h"

std::atomic<u8> KeyboardIndicators{0};

namespace {

constexpr u32 kFailedToSpawn = 7174;
constexpr u8 kComposeIndicator = 0x10;

// The literal text being typed, one unit per call. Only the host-data thread takes
// units; the input reset may clear it from the window thread.
struct PendingText {
    u32 handle = 0;
    int next = 0;
    int length = 0;
    u8 mode = 0;
};
std::mutex g_pendingLock;
PendingText g_pending;

std::atomic<int> g_composeState{-1};
std::atomic<int> g_composeFirst{0};

void ReplacePendingText(u32 handle, u8 mode)
{
    int length = 0;
    const bool live = EventText(handle, &length) != nullptr;
    u32 old = 0;
    {
        std::lock_guard<std::mutex> guard(g_pendingLock);
        old = g_pending.handle;
        g_pending = PendingText{};
        if (live && length > 0)
            g_pending = PendingText{handle, 0, length, mode};
    }
    FreeEventText(old);
    if (!live || length == 0)
        FreeEventText(handle);
}

// The next unit of the pending text, -1 when none; the text is freed with its last unit.
int NextPendingUnit(u8& mode)
{
    u32 finished = 0;
    int unit = -1;
    {
        std::lock_guard<std::mutex> guard(g_pendingLock);
        if (!g_pending.handle)
            return -1;
        const wchar16* text = EventText(g_pending.handle);
        if (text && g_pending.next < g_pending.length) {
            unit = static_cast<u16>(text[g_pending.next++]);
            mode = g_pending.mode;
        }
        if (!text || g_pending.next >= g_pending.length) {
            finished = g_pending.handle;
            g_pending = PendingText{};
        }
    }
    FreeEventText(finished);
    return unit;
}

// Only the user's own definitions may raise a window or start a program.
void RunCommandEvent(int type, u32 handle)
{
    TextOrigin origin = TextOrigin::Host;
    const wchar16* text = EventText(handle, nullptr, &origin);
    if (text && origin == TextOrigin::User) {
        if (type == 10) {
            BringWindowOfClassToTop(text);
        } else if (const u32 error = StartProgramCommand(text)) {
            MessageBoxFormatIdTextNumber(kFailedToSpawn, text, static_cast<i32>(error));
        }
    }
    FreeEventText(handle);
}

bool KeyboardRefusesKeys()
{
    if (ModalOpen)
        return false;
    auto refused = ActiveFamily().keysRefused;
    return refused && refused();
}

}  // namespace

int TranslateTypedChar(int c)
{
    auto translate = ActiveFamily().translateTypedChar;
    return translate ? translate(c) : c;
}

int ExecuteInputEvent(int& value, int& extra, bool allowDefinitions)
{
    for (;;) {
        u8 mode = 0;
        const int unit = NextPendingUnit(mode);
        if (unit >= 0) {
            KeyStringSendType = mode;
            value = unit;
            extra = -1;
            return 1;
        }
        KeyStringSendType = 0;
        int type = -1;
        TakeInputEvent(type, value, extra);
        const u32 handle = HandleOf(static_cast<u16>(value), static_cast<u16>(extra));
        switch (type) {
        case 1:
        case 3: return type;
        case 2:
            if (allowDefinitions && value >= 0 && extra >= 0 &&
                PushKeyDefinitionFront(static_cast<u32>(value), static_cast<u32>(extra)))
                continue;
            return 3;
        case 4:
        case 5:
        case 6: RunMacroString(handle, type, 0); continue;
        case 7:
        case 8:
        case 9: ReplacePendingText(handle, type == 7 ? 0 : type == 8 ? 2 : 1); continue;
        case 10:
        case 12: RunCommandEvent(type, handle); continue;
        default:
            if (type == 11)
                FreeEventText(handle);
            value = extra = 0xFFFF;
            return -1;
        }
    }
}

int PumpKeyboardInput()
{
    DispatchShiftState = 0;
    // Block transmission has no buffered string to send yet.
    if (KeyboardStackCount() > 0) {
        const int unit = PopKeyboardInput();
        if (unit >= 0)
            return unit;
    }
    if (KeyStringActive()) {
        const int unit = NextKeyStringUnit();
        if (unit >= 0)
            return TranslateTypedChar(unit);
    }
    int value = -1, extra = -1;
    const int type = ExecuteInputEvent(value, extra, true);
    if (type == -1)
        return -1;
    if (KeyboardRefusesKeys())
        return -1;
    if (type == 3) {
        // Characters typed before this key are still collected for one send; they go
        // first, so the key's sequence never overtakes them.
        SendBatchFlush();
        DispatchKey(value, extra);
        return -1;
    }
    if (auto take = ActiveFamily().takeTypedChar)
        if (take(value))
            return -1;
    return TranslateTypedChar(value);
}

void HandleCharMessage(u32 character)
{
    auto xonXoffIsData = ActiveFamily().typedXonXoffIsData;
    const bool flowControl = !(xonXoffIsData && xonXoffIsData());
    if (ConnectionValues.comflowc == 1 && flowControl && !ModalOpen && (character == 17 || character == 19)) {
        const u8 held = character == 19 ? 1 : 0;
        if (OutputHeld.exchange(held) != held)
            RefreshHoldLockIndicator();
        return;
    }
    int c = static_cast<int>(character & 0xFFFF);
    if (g_composeState >= 0) {
        c = ComposeKey(c);
        if (c < 0 || c == 0xFFFF)
            return;
    }
    QueueInputEvent(1, static_cast<u16>(c), 0xFFFF);
}

int BufferedKeyDefinitionCount()
{
    std::lock_guard<std::mutex> guard(g_pendingLock);
    return g_pending.handle ? g_pending.length - g_pending.next : 0;
}

int ComposeState()
{
    return g_composeState;
}

void EndComposeKey()
{
    g_composeState = -1;
    KeyboardIndicators &= static_cast<u8>(~kComposeIndicator);
}

void ResetInputPumpState()
{
    u32 old = 0;
    {
        std::lock_guard<std::mutex> guard(g_pendingLock);
        old = g_pending.handle;
        g_pending = PendingText{};
    }
    FreeEventText(old);
    EndComposeKey();
    DispatchShiftState = 0;
}

namespace {

// Compose pairs, found in either order: the DEC multinational habit of two ordinary
// keys for one accented letter or symbol.
struct ComposePair {
    char first, second;
    u8 result;
};
// clang-format off
constexpr ComposePair kComposeTable[] = {
    {'+', '+', '#'}, {'a', 'a', '@'}, {'A', 'A', '@'}, {'(', '(', '['}, {'/', '/', '\\'}, {')', ')', ']'},
    {'(', '-', '{'}, {'/', '^', '|'}, {')', '-', '}'}, {'!', '!', 0xA1}, {'c', '/', 0xA2}, {'C', '/', 0xA2},
    {'c', '|', 0xA2}, {'C', '|', 0xA2}, {'l', '-', 0xA3}, {'L', '-', 0xA3}, {'l', '=', 0xA3}, {'L', '=', 0xA3},
    {'x', 'o', 0xA4}, {'X', 'O', 0xA4}, {'x', '0', 0xA4}, {'X', '0', 0xA4}, {'y', '-', 0xA5}, {'Y', '-', 0xA5},
    {'y', '=', 0xA5}, {'Y', '=', 0xA5}, {'|', '|', 0xA6}, {'s', 'o', 0xA7}, {'S', 'O', 0xA7}, {'s', '!', 0xA7},
    {'S', '!', 0xA7}, {'s', '0', 0xA7}, {'S', '0', 0xA7}, {'"', '"', 0xA8}, {'c', 'o', 0xA9}, {'C', 'O', 0xA9},
    {'c', '0', 0xA9}, {'C', '0', 0xA9}, {'a', '_', 0xAA}, {'A', '_', 0xAA}, {'<', '<', 0xAB}, {'-', ',', 0xAC},
    {'-', '-', 0xAD}, {'r', 'o', 0xAE}, {'R', 'O', 0xAE}, {'-', '^', 0xAF}, {'0', '^', 0xB0}, {'0', '*', 0xB0},
    {'+', '-', 0xB1}, {'2', '^', 0xB2}, {'3', '^', 0xB3}, {'\'', '\'', 0xB4}, {'/', 'u', 0xB5}, {'/', 'U', 0xB5},
    {'p', '!', 0xB6}, {'P', '!', 0xB6}, {'.', '^', 0xB7}, {',', ',', 0xB8}, {'1', '^', 0xB9}, {'o', '_', 0xBA},
    {'O', '_', 0xBA}, {'>', '>', 0xBB}, {'1', '4', 0xBC}, {'1', '2', 0xBD}, {'3', '4', 0xBE}, {'?', '?', 0xBF},
    {'A', '`', 0xC0}, {'A', '\'', 0xC1}, {'A', '^', 0xC2}, {'A', '~', 0xC3}, {'A', '"', 0xC4}, {'A', '*', 0xC5},
    {'A', 'E', 0xC6}, {'C', ',', 0xC7}, {'E', '`', 0xC8}, {'E', '\'', 0xC9}, {'E', '^', 0xCA}, {'E', '"', 0xCB},
    {'I', '`', 0xCC}, {'I', '\'', 0xCD}, {'I', '^', 0xCE}, {'I', '"', 0xCF}, {'D', '-', 0xD0}, {'N', '~', 0xD1},
    {'O', '`', 0xD2}, {'O', '\'', 0xD3}, {'O', '^', 0xD4}, {'O', '~', 0xD5}, {'O', '"', 0xD6}, {'x', 'x', 0xD7},
    {'X', 'X', 0xD7}, {'O', '/', 0xD8}, {'U', '`', 0xD9}, {'U', '\'', 0xDA}, {'U', '^', 0xDB}, {'U', '"', 0xDC},
    {'Y', '\'', 0xDD}, {'T', 'H', 0xDE}, {'s', 's', 0xDF}, {'a', '`', 0xE0}, {'a', '\'', 0xE1}, {'a', '^', 0xE2},
    {'a', '~', 0xE3}, {'a', '"', 0xE4}, {'a', '*', 0xE5}, {'a', 'e', 0xE6}, {'c', ',', 0xE7}, {'e', '`', 0xE8},
    {'e', '\'', 0xE9}, {'e', '^', 0xEA}, {'e', '"', 0xEB}, {'i', '`', 0xEC}, {'i', '\'', 0xED}, {'i', '^', 0xEE},
    {'i', '"', 0xEF}, {'d', '-', 0xF0}, {'n', '~', 0xF1}, {'o', '`', 0xF2}, {'o', '\'', 0xF3}, {'o', '^', 0xF4},
    {'o', '~', 0xF5}, {'o', '"', 0xF6}, {':', '-', 0xF7}, {'o', '/', 0xF8}, {'u', '`', 0xF9}, {'u', '\'', 0xFA},
    {'u', '^', 0xFB}, {'u', '"', 0xFC}, {'y', '\'', 0xFD}, {'t', 'h', 0xFE}, {'y', '"', 0xFF},
};
// clang-format on

}  // namespace

int ComposeKey(int c)
{
    if (ModalOpen)
        return 0xFFFF;
    if (c == 0) {
        g_composeState = 0;
        KeyboardIndicators |= kComposeIndicator;
        return 0xFFFF;
    }
    if (g_composeState != 1) {
        g_composeFirst = c;
        g_composeState = 1;
        KeyboardIndicators |= kComposeIndicator;
        return 0xFFFF;
    }
    const int first = g_composeFirst;
    EndComposeKey();
    for (const ComposePair& p : kComposeTable) {
        const int a = static_cast<u8>(p.first), b = static_cast<u8>(p.second);
        if ((first == a && c == b) || (first == b && c == a))
            return p.result;
    }
    RequestBell();
    return -1;
}
