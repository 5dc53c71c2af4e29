// The host-data thread: all emulation work runs on it.
#pragma once

#include <atomic>

#include "terminal/core/vxtypes.h"

// Raised when a network connection was open at close.
extern std::atomic<u32> ConnectionLost;

void StartHostDataThread();
// Stops the thread (if it runs) and waits for it, with a bound, keeping messages moving.
void StopHostDataThread();
void SetHostThreadPriority(int priority);
// Re-applies the keyboard-lock state that the selection code keeps.
void ReapplyKeyboardLock();
