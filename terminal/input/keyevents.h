// Key events on their way from the user-interface thread to the host-data thread: a
// ring of 2048 events with one writer (the user-interface thread) and one reader (the
// host-data thread), and the pump that turns them into keyboard units.
#pragma once

#include <atomic>

#include "terminal/core/vxtypes.h"

// type: 1 character, 2 defined key, 3 key with shift state, 4-6 macro, 7-9 text,
// 10 activate a window, 12 start a program.
struct KeyEvent {
    u32 type;
    u16 value;
    u16 extra;
};
static_assert(sizeof(KeyEvent) == 8, "key events are 8 bytes");

constexpr int kKeyEventRingSize = 2048;
constexpr std::size_t kKeyEventBlockBytes = 16400;

// The blocks the terminal core allocates once at start (AllocInputQueues).
struct InputQueueBlockSet {
    KeyEvent* keyRing = nullptr;
    void* deferredKeys = nullptr;
    KeyEvent* secondRing = nullptr;
    void* workBlock1028 = nullptr;
    void* workBlock584 = nullptr;
};
extern InputQueueBlockSet InputQueueBlocks;
void ResetInputQueueCounters();

// Queues one input event (ignored for type -1 or while the ring is full or missing).
void QueueInputEvent(i32 type, u16 value, u16 extra);
bool KeyEventsPending();

// The next keyboard unit: a pushed-back unit, a unit of the key string being typed, or
// the character of the next key event; -1 when none.
int PumpKeyboardInput();

// Adapts a received or replayed byte to the active emulation; -1 drops it.
int FilterReceivedByte(int byte);

bool DeferredKeysExist();
void FlushDeferredKeys();

// Send type of the key-definition string being typed: 0 plain typing, 1, 2 processed
// locally (never reaches the host).
extern std::atomic<u8> KeyStringSendType;
int BufferedKeyDefinitionCount();
