// Waiting on the user-interface thread for a worker thread to end.
#pragma once

#include "terminal/core/base/win32.h"

// Waits for a worker thread while keeping this thread's messages moving, so a worker
// that sends to a window of this thread cannot deadlock the wait. False on time-out. A
// quit message seen meanwhile is posted again afterwards.
bool WaitForThreadPumping(HANDLE thread, DWORD timeoutMs);
