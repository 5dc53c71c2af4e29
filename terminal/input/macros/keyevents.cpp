#include "terminal/input/macros/keyevents.h"

#include <mutex>

#include "terminal/core/base/memblock.h"
#include "terminal/core/host/attention.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/input/macros/eventtext.h"
#include "terminal/input/macros/inputpump.h"
#include "terminal/input/keyboard/keycodes.h"

InputQueueBlockSet InputQueueBlocks;

bool AllocInputQueues()
{
    InputQueueBlockSet& b = InputQueueBlocks;
    auto alloc = [](auto*& block, std::size_t size) {
        if (!block)
            block = static_cast<std::remove_reference_t<decltype(block)>>(MemAllocBlock(size));
        return block != nullptr;
    };
    if (!alloc(b.keyRing, kKeyEventBlockBytes) || !alloc(b.deferredKeys, kKeyEventBlockBytes) ||
        !alloc(b.secondRing, kKeyEventBlockBytes) || !alloc(b.workBlock1028, 1028) || !alloc(b.workBlock584, 584))
        return false;
    ResetInputQueueCounters();
    OutputHeld = 0;
    return true;
}
std::atomic<u8> KeyEventsHeld{0};
std::atomic<u8> KeyStringSendType{0};

namespace {

// Both threads change the ring (the window thread at the tail, the host-data thread at
// the head and in front of it), so one lock keeps head, tail and count together.
std::mutex g_lock;
int g_head = 0;
int g_tail = 0;
int g_count = 0;
std::atomic<int> g_pending{0};  // g_count, readable without the lock
int g_deferredCount = 0;

bool IsStringEvent(i32 type)
{
    return type >= 4 && type <= 12;
}

// A refused event loses its text too, and the user hears it.
bool Refuse(i32 type, u16 value, u16 extra)
{
    if (IsStringEvent(type))
        FreeEventText(HandleOf(value, extra));
    RequestBell();
    return false;
}

}  // namespace

void ResetInputQueueCounters()
{
    {
        std::lock_guard<std::mutex> guard(g_lock);
        g_head = g_tail = g_count = 0;
        g_pending = 0;
        g_deferredCount = 0;
    }
    KeyStringSendType = 0;
    ShiftState = 0;
    FreeAllEventTexts();
    ResetInputPumpState();
}

bool QueueInputEvent(i32 type, u16 value, u16 extra)
{
    if (type == -1)
        return false;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        KeyEvent* ring = InputQueueBlocks.keyRing;
        if (ring && g_count < kKeyEventLimit) {
            ring[g_tail] = KeyEvent{static_cast<u32>(type), value, extra};
            g_tail = (g_tail + 1) % kKeyEventRingSize;
            g_pending = ++g_count;
            AttendHostReader(kAttendInput);
            return true;
        }
    }
    return Refuse(type, value, extra);
}

bool PushInputEventFront(i32 type, u16 value, u16 extra)
{
    if (type == -1)
        return false;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        KeyEvent* ring = InputQueueBlocks.keyRing;
        if (ring && g_count < kKeyEventLimit) {
            g_head = (g_head + kKeyEventRingSize - 1) % kKeyEventRingSize;
            ring[g_head] = KeyEvent{static_cast<u32>(type), value, extra};
            AttendHostReader(kAttendInput);
            g_pending = ++g_count;
            return true;
        }
    }
    return Refuse(type, value, extra);
}

void TakeInputEvent(int& type, int& value, int& extra)
{
    std::lock_guard<std::mutex> guard(g_lock);
    KeyEvent* ring = InputQueueBlocks.keyRing;
    if (!ring || g_count == 0) {
        type = value = extra = -1;
        return;
    }
    const KeyEvent e = ring[g_head];
    g_head = (g_head + 1) % kKeyEventRingSize;
    g_pending = --g_count;
    type = static_cast<int>(e.type);
    value = e.value == 0xFFFF ? -1 : e.value;
    extra = e.extra == 0xFFFF ? -1 : e.extra;
}

bool KeyEventsPending()
{
    return g_pending.load() > 0;
}

int KeyEventCount()
{
    return g_pending.load();
}

void PushDeferredKey(int value, int extra)
{
    std::lock_guard<std::mutex> guard(g_lock);
    KeyEvent* stack = InputQueueBlocks.deferredKeys;
    if (!stack || g_deferredCount >= kKeyEventLimit)
        return;
    stack[g_deferredCount++] = KeyEvent{extra == -1 ? 1u : 3u, static_cast<u16>(value), static_cast<u16>(extra)};
}

void FlushDeferredKeys()
{
    // Popping from the top and inserting each at the front leaves the ring starting with
    // the deferred keys in the order they were pushed.
    for (;;) {
        KeyEvent e;
        {
            std::lock_guard<std::mutex> guard(g_lock);
            KeyEvent* stack = InputQueueBlocks.deferredKeys;
            if (!stack || g_deferredCount == 0)
                return;
            e = stack[--g_deferredCount];
        }
        PushInputEventFront(static_cast<i32>(e.type), e.value, e.extra);
    }
}

void ClearDeferredKeys()
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_deferredCount = 0;
}

bool DeferredKeysExist()
{
    return DeferredKeyCount() > 0;
}

int DeferredKeyCount()
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_deferredCount;
}
