#include "terminal/comms/serial/transmitring.h"

#include "terminal/core/host/hostread.h"

i32 TransmitRingFree(const TransmitRing& ring)
{
    const i32 room = ring.tail.load() - ring.head.load();
    return room > 0 ? room : room + kTransmitRingSize;
}

bool TransmitRingEmpty(const TransmitRing& ring)
{
    return ring.head.load() == ring.tail.load();
}

bool TransmitRingPut(TransmitRing& ring, u8 byte)
{
    const i32 room = TransmitRingFree(ring);
    if (room < kTransmitRingLockBelow && !ring.blocked) {
        ring.blocked = 1;
        if (!KeyboardLocked())
            SetKeyboardLocked(true);
    }
    if (room < kTransmitRingFullBelow)
        return false;
    const i32 head = ring.head.load();
    ring.bytes[head] = byte;
    ring.head = head + 1 == kTransmitRingSize ? 0 : head + 1;
    return true;
}

int TransmitRingPeek(const TransmitRing& ring)
{
    const i32 tail = ring.tail.load();
    return tail == ring.head.load() ? -1 : ring.bytes[tail];
}

void TransmitRingAdvance(TransmitRing& ring)
{
    const i32 tail = ring.tail.load();
    if (tail != ring.head.load())
        ring.tail = tail + 1 == kTransmitRingSize ? 0 : tail + 1;
}

void TransmitRingDiscard(TransmitRing& ring)
{
    ring.tail = ring.head.load();
    ++ring.discards;
}

void TransmitRingReset(TransmitRing& ring)
{
    ring.head = 0;
    ring.tail = 0;
}

bool TransmitRingRelease(TransmitRing& ring)
{
    if (!ring.blocked || !TransmitRingEmpty(ring))
        return false;
    ring.blocked = 0;
    SetKeyboardLocked(false);
    return true;
}
