// Key events on their way from the user-interface thread to the host-data thread: the
// ring of 2048 events (the window thread appends at the tail; the host-data thread
// takes from the head and also inserts at the front), and the deferred-key stack the
// IBM keyboards use to hold keys back while the keyboard is inhibited.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

// type: 1 typed character, 2 run a key definition, 3 special key, 4-6 macro string,
// 7-9 literal text, 10 bring a window to the top, 12 start a program. String events
// (4-12) carry the 32-bit handle of their text (eventtext.h) in value (high half) and
// extra (low half), never a pointer.
struct KeyEvent {
    u32 type;
    u16 value;
    u16 extra;
};
static_assert(sizeof(KeyEvent) == 8, "key events are 8 bytes");

constexpr int kKeyEventRingSize = 2048;
// At most 2047 events wait: a full ring never overwrites a waiting event.
constexpr int kKeyEventLimit = kKeyEventRingSize - 1;
constexpr std::size_t kKeyEventBlockBytes = 16400;

// The blocks the terminal core allocates once at start (AllocInputQueues).
struct InputQueueBlockSet {
    KeyEvent* keyRing = nullptr;
    KeyEvent* deferredKeys = nullptr;
    KeyEvent* secondRing = nullptr;
    void* workBlock1028 = nullptr;
    void* workBlock584 = nullptr;
};
extern InputQueueBlockSet InputQueueBlocks;
// Allocates the blocks (once; later calls keep them) and empties the queues.
bool AllocInputQueues();
// Empties the ring and the deferred stack and forgets the input state (compose, pending
// text, the send mode of the last unit).
void ResetInputQueueCounters();

// Appends at the tail; type -1 is ignored. A full or missing ring refuses the event
// with the bell (a string event's text is freed). True when queued.
bool QueueInputEvent(i32 type, u16 value, u16 extra);
// Inserts before the head (host-data thread only); refused like QueueInputEvent.
bool PushInputEventFront(i32 type, u16 value, u16 extra);
// Removes the head event; -1 in all three when the ring is empty. A stored value or
// extra of 0xFFFF comes back as -1.
void TakeInputEvent(int& type, int& value, int& extra);
bool KeyEventsPending();
int KeyEventCount();

// Deferred keys: {1, value, extra} when extra is -1, else {3, value, extra}.
void PushDeferredKey(int value, int extra);
// Moves the deferred keys to the front of the ring, in the order they were pushed.
void FlushDeferredKeys();
void ClearDeferredKeys();
bool DeferredKeysExist();
int DeferredKeyCount();

// While set (hot spots are shown on the screen) the reader leaves the key events in the
// ring: what the user types then goes out once they are cleared.
extern std::atomic<u8> KeyEventsHeld;

// Send mode of the unit handed out last: 0 typed, 1 and 2 text of key definitions with
// those send types (2 is processed locally and never reaches the host).
extern std::atomic<u8> KeyStringSendType;
