// The reader's attention word. While it is 0 the reader hands out received bytes
// straight from the connection's buffer, one plain load per byte; whatever must be
// served before the next received byte sets a bit, and the reader then goes its long way
// (push-back and injected bytes, replay, keyboard, ports, the connection with capture and
// filters, the idle steps), clears the word and decides again whether a run of received
// bytes may be handed out unchecked. Everything else the reader consults is read once
// per run, at its start.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

constexpr u32 kAttendPushBack = 0x01;  // a byte was given back or injected
constexpr u32 kAttendFrame = 0x02;     // the frame waits for the frame lock
constexpr u32 kAttendHold = 0x04;      // a gate, a menu or a dialog holds the reader
constexpr u32 kAttendInput = 0x08;     // a key, a replay or a mode change wants serving
extern std::atomic<u32> HostAttention;

inline void AttendHostReader(u32 bits)
{
    HostAttention.fetch_or(bits, std::memory_order_relaxed);
}
