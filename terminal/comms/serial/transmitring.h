// The transmit ring of a serial port: the bytes waiting for a line that is slower than
// the program or held by flow control. One producer (the host-data thread) moves the
// head, one consumer at a time (the pump, under the transmit lock) moves the tail.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

constexpr i32 kTransmitRingSize = 1600;
// Below this much room the keyboard locks, so typing stops filling the ring.
constexpr i32 kTransmitRingLockBelow = 200;
// Below this much room nothing more fits (head may never catch up with tail).
constexpr i32 kTransmitRingFullBelow = 2;

struct TransmitRing {
    u8 bytes[kTransmitRingSize];
    std::atomic<i32> head{0};    // next byte written here
    std::atomic<i32> tail{0};    // next byte sent from here
    std::atomic<u8> blocked{0};  // the ring locked the keyboard
    // Counts the discards (the user gave up on a held line): a sender waiting for room
    // drops its byte when this moves.
    std::atomic<u32> discards{0};
};

// Free bytes: an empty ring has 1600.
i32 TransmitRingFree(const TransmitRing& ring);
bool TransmitRingEmpty(const TransmitRing& ring);
// Stores one byte. Below 200 free the ring locks the keyboard (unless it is locked
// already) and marks itself blocked. False, with nothing stored, when below 2 free.
bool TransmitRingPut(TransmitRing& ring, u8 byte);
// The byte at the tail, -1 when empty; Advance moves past it.
int TransmitRingPeek(const TransmitRing& ring);
void TransmitRingAdvance(TransmitRing& ring);
// Drops everything waiting (the user chose Abort or Ignore, or the port closes).
void TransmitRingDiscard(TransmitRing& ring);
// Empties the ring to its start: only while no producer can run.
void TransmitRingReset(TransmitRing& ring);
// When the ring locked the keyboard and is now empty, unlocks it. True when it did.
bool TransmitRingRelease(TransmitRing& ring);
