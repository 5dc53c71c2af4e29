#include "terminal/core/host/pushback.h"

#include <atomic>
#include <cstring>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

#include "terminal/core/host/capture.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/host/attention.h"
#include "terminal/core/host/hostread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/input/macros/keyevents.h"

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
        // The byte comes before whatever the reader was going to hand out next.
        AttendHostReader(kAttendPushBack);
        return true;
    }
    int Pop()
    {
        if (count <= 0)
            return -1;
        return entries[--count];
    }
};

// The stacks are held for a few instructions at a time, once or twice per byte given
// back: a spinning lock costs a tenth of a mutex there, and the other thread (a key
// pushed) almost never finds it held.
class StackLock {
public:
    void lock()
    {
        while (m_held.test_and_set(std::memory_order_acquire))
            std::this_thread::yield();
    }
    void unlock() { m_held.clear(std::memory_order_release); }

private:
    std::atomic_flag m_held = ATOMIC_FLAG_INIT;
};
StackLock g_lock;
Stack<u16> g_keyboard;
Stack<u16> g_host;
Stack<u8> g_replay;
Stack<u8> g_keyString;

struct KeyString {
    const u16* next = nullptr;
    int remaining = 0;
    bool active = false;
} g_string;

// The open injected texts, innermost last. Only the host-data thread reads them.
struct InjectedText {
    std::vector<u8> bytes;
    std::size_t next = 0;
};
std::vector<InjectedText> g_injected;

}  // namespace

void PushKeyboardInput(u16 unit)
{
    std::lock_guard<StackLock> guard(g_lock);
    g_keyboard.Push(unit);
}

void PushKeyboardString(const u16* units, int n)
{
    if (!units || n < 1)
        return;
    std::lock_guard<StackLock> guard(g_lock);
    const int room = kPushBackCapacity - g_keyboard.count;
    if (n > room)
        n = room;
    for (int i = n - 1; i >= 0; --i)
        g_keyboard.Push(units[i]);
}

int PopKeyboardInput()
{
    std::lock_guard<StackLock> guard(g_lock);
    return g_keyboard.Pop();
}

void PushHostByte(u16 unit)
{
    std::lock_guard<StackLock> guard(g_lock);
    g_host.Push(unit);
}

int PopHostByte()
{
    std::lock_guard<StackLock> guard(g_lock);
    const int v = g_host.Pop();
    return v < 0 ? -1 : (v & 0xFF);
}

int PopHostByteAlone()
{
    std::lock_guard<StackLock> guard(g_lock);
    if (g_host.count <= 0 || g_keyboard.count > 0 || g_replay.count > 0 || g_keyString.count > 0 ||
        g_string.active || !g_injected.empty())
        return -1;
    const int v = g_host.Pop();
    // Under the lock, so a unit another thread pushes now sets the bit again after this.
    if (g_host.count == 0)
        HostAttention.fetch_and(~kAttendPushBack, std::memory_order_relaxed);
    return v & 0xFF;
}

void PushReplayByte(u8 byte)
{
    std::lock_guard<StackLock> guard(g_lock);
    g_replay.Push(byte);
}

int PopReplayByte()
{
    std::lock_guard<StackLock> guard(g_lock);
    return g_replay.Pop();
}

int PopKeyStringByte()
{
    std::lock_guard<StackLock> guard(g_lock);
    return g_keyString.Pop();
}

int KeyboardStackCount()
{
    std::lock_guard<StackLock> guard(g_lock);
    return g_keyboard.count;
}

int HostStackCount()
{
    std::lock_guard<StackLock> guard(g_lock);
    return g_host.count;
}

int ReplayStackCount()
{
    std::lock_guard<StackLock> guard(g_lock);
    return g_replay.count;
}

int KeyStringStackCount()
{
    std::lock_guard<StackLock> guard(g_lock);
    return g_keyString.count;
}

void PushBackInputByte(u8 byte)
{
    std::lock_guard<StackLock> guard(g_lock);
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
    std::lock_guard<StackLock> guard(g_lock);
    g_string.next = units;
    g_string.remaining = units && n > 0 ? n : 0;
    g_string.active = g_string.remaining > 0;
}

bool KeyStringActive()
{
    std::lock_guard<StackLock> guard(g_lock);
    return g_string.active;
}

int NextKeyStringUnit()
{
    int unit = -1;
    {
        std::lock_guard<StackLock> guard(g_lock);
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

bool InjectHostText(const u8* text, int length)
{
    if (!text) {
        g_injected.clear();
        return true;
    }
    if (length < 0 || static_cast<int>(g_injected.size()) >= kInjectionDepth)
        return false;
    try {
        g_injected.push_back(InjectedText{std::vector<u8>(text, text + length), 0});
    } catch (const std::bad_alloc&) {
        return false;
    }
    AttendHostReader(kAttendPushBack);
    return true;
}

bool InjectHostText(const char* text)
{
    return InjectHostText(reinterpret_cast<const u8*>(text), text ? static_cast<int>(std::strlen(text)) : 0);
}

bool InjectedTextPending()
{
    return !g_injected.empty();
}

int InjectedTextBytes()
{
    std::size_t n = 0;
    for (const InjectedText& t : g_injected)
        n += t.bytes.size();
    return static_cast<int>(n);
}

int NextInjectedByte()
{
    if (g_injected.empty())
        return -1;
    InjectedText& top = g_injected.back();
    if (top.next >= top.bytes.size()) {
        // A text stays open until this read past its end, so that an invocation in its
        // last bytes still counts as nested in it.
        g_injected.pop_back();
        return -1;
    }
    return top.bytes[top.next++];
}

void ClearPushBackStacks()
{
    std::lock_guard<StackLock> guard(g_lock);
    g_keyboard.count = g_host.count = g_replay.count = g_keyString.count = 0;
    g_string = KeyString{};
}
