#include "terminal/core/host/pushback.h"

#include <mutex>

#include "terminal/comms/capture.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/input/keyevents.h"

namespace {

template <typename Unit>
struct Stack {
    int count = 0;
    Unit entries[kPushBackCapacity]{};
    bool Push(Unit u)
    {
        if (count >= kPushBackCapacity)
            return false;
        entries[count++] = u;
        return true;
    }
    int Pop()
    {
        if (count <= 0)
            return -1;
        return entries[--count];
    }
};

std::mutex g_lock;
Stack<u16> g_keyboard;
Stack<u16> g_host;
Stack<u8> g_replay;
Stack<u8> g_keyString;

struct KeyString {
    const u16* next = nullptr;
    int remaining = 0;
    bool active = false;
} g_string;

const char* g_injected = nullptr;

}  // namespace

void PushKeyboardInput(u16 unit)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_keyboard.Push(unit);
}

void PushKeyboardString(const u16* units, int n)
{
    if (!units || n < 1)
        return;
    std::lock_guard<std::mutex> guard(g_lock);
    const int room = kPushBackCapacity - g_keyboard.count;
    if (n > room)
        n = room;
    for (int i = n - 1; i >= 0; --i)
        g_keyboard.Push(units[i]);
}

int PopKeyboardInput()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_keyboard.Pop();
}

void PushHostByte(u16 unit)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_host.Push(unit);
}

int PopHostByte()
{
    std::lock_guard<std::mutex> guard(g_lock);
    const int v = g_host.Pop();
    return v < 0 ? -1 : (v & 0xFF);
}

void PushReplayByte(u8 byte)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_replay.Push(byte);
}

int PopReplayByte()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_replay.Pop();
}

int PopKeyStringByte()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_keyString.Pop();
}

int KeyboardStackCount()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_keyboard.count;
}

int HostStackCount()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_host.count;
}

int ReplayStackCount()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_replay.count;
}

int KeyStringStackCount()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_keyString.count;
}

void PushBackInputByte(u8 byte)
{
    std::lock_guard<std::mutex> guard(g_lock);
    if (ModalOpen)
        g_keyboard.Push(byte);
    else if (ReplayFileOpen())
        g_replay.Push(byte);
    else if (g_string.active)
        g_keyString.Push(byte);
    else if (!LocalMode && KeyStringSendType != 2)
        g_host.Push(byte);
    else
        g_keyboard.Push(byte);
}

void StartKeyString(const u16* units, int n)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_string.next = units;
    g_string.remaining = units && n > 0 ? n : 0;
    g_string.active = g_string.remaining > 0;
}

bool KeyStringActive()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_string.active;
}

int NextKeyStringUnit()
{
    int unit = -1;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        unit = g_keyString.Pop();
        if (unit < 0 && g_string.remaining > 0) {
            unit = *g_string.next++;
            --g_string.remaining;
        }
        if (unit < 0) {
            g_string = KeyString{};
            g_keyString.count = 0;
        }
    }
    if (unit >= 0)
        CameFromKeyboard = 1;
    return unit;
}

void InjectHostText(const char* text)
{
    g_injected = text;
}

bool InjectedTextPending()
{
    return g_injected != nullptr;
}

int NextInjectedByte()
{
    if (!g_injected)
        return -1;
    const u8 b = static_cast<u8>(*g_injected);
    if (b == 0) {
        g_injected = nullptr;
        return 0;
    }
    ++g_injected;
    return b;
}

void ClearPushBackStacks()
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_keyboard.count = g_host.count = g_replay.count = g_keyString.count = 0;
    g_string = KeyString{};
}
