// The host-data thread: all emulation work runs on it. The user-interface thread only
// queues keys, sets flags and signals events.
//
// Two gates hold the thread: the profile gate while another profile is loaded, the
// switch gate while the emulation is switched. Hold them only through
// HoldHostDataThread, which waits (with a bound) until the thread has stopped touching
// what the caller is about to tear down, and release them with ReleaseHostDataThread.
#pragma once

#include <atomic>

#include "terminal/core/base/vxtypes.h"

// Raised when a network connection was open at close.
extern std::atomic<u32> ConnectionLost;

// Starts the thread; a second start while it runs does nothing.
void StartHostDataThread();
// Stops the thread and waits for it to end, keeping this thread's messages moving.
void StopHostDataThread();
bool HostDataThreadRunning();
bool OnHostDataThread();
void LowerHostThreadPriority();
void RestoreHostThreadPriority();
// Re-applies the keyboard-lock state that the selection code keeps.
void ReapplyKeyboardLock();

enum class HostGate : u8 { Profile = 1, Switch = 2 };
// Closes the gate and waits up to timeoutMs until the thread is parked at it. True when
// it is parked or not running; false when it did not park in time (the gate stays
// closed either way, so release it in both cases).
bool HoldHostDataThread(HostGate gate, u32 timeoutMs);
void ReleaseHostDataThread(HostGate gate);

// For the readers on the host-data thread: a gate is closed, go back to the top.
bool HostHoldRequested();
// Blocks the reader while nothing can arrive: until any message of the main window, a
// hold, the stop, or at most 100 ms.
void HostWaitForInput();
// A byte source has data for the reader.
void WakeHostReader();
