#include "terminal/input/keyevents.h"

#include "terminal/core/pushback.h"

InputQueueBlockSet InputQueueBlocks;
std::atomic<u8> KeyStringSendType{0};

namespace {
// Free-running indexes: the writer owns g_tail, the reader g_head.
std::atomic<u32> g_head{0};
std::atomic<u32> g_tail{0};
}  // namespace

void ResetInputQueueCounters()
{
    g_head = 0;
    g_tail = 0;
    KeyStringSendType = 0;
}

void QueueInputEvent(i32 type, u16 value, u16 extra)
{
    KeyEvent* ring = InputQueueBlocks.keyRing;
    if (type == -1 || !ring)
        return;
    const u32 tail = g_tail.load(std::memory_order_relaxed);
    if (tail - g_head.load(std::memory_order_acquire) >= kKeyEventRingSize)
        return;
    ring[tail % kKeyEventRingSize] = KeyEvent{static_cast<u32>(type), value, extra};
    g_tail.store(tail + 1, std::memory_order_release);
}

bool KeyEventsPending()
{
    return g_head.load(std::memory_order_relaxed) != g_tail.load(std::memory_order_acquire);
}

int PumpKeyboardInput()
{
    int unit = PopKeyboardInput();
    if (unit >= 0)
        return unit;
    if (KeyStringActive()) {
        unit = NextKeyStringUnit();
        if (unit >= 0)
            return unit;
    }
    KeyEvent* ring = InputQueueBlocks.keyRing;
    while (ring && KeyEventsPending()) {
        const u32 head = g_head.load(std::memory_order_relaxed);
        const KeyEvent e = ring[head % kKeyEventRingSize];
        g_head.store(head + 1, std::memory_order_release);
        // Only typed characters are understood so far; key and macro events wait for
        // the key dispatcher.
        if (e.type == 1)
            return e.value;
    }
    return -1;
}

int FilterReceivedByte(int byte)
{
    return byte;
}

bool DeferredKeysExist()
{
    return false;
}

void FlushDeferredKeys() {}

int BufferedKeyDefinitionCount()
{
    return 0;
}
