// The filter of the main message loop, the pump used inside long user-interface work
// and the menu-loop watcher.
#pragma once

#include "terminal/core/base/win32.h"

// 1 when the message was consumed, 0 to translate and dispatch it.
int FilterMainMessage(MSG* message);
int KeyRepeatGate(MSG* message);

// Runs the queue dry from inside long work on the user-interface thread. A close of the
// main window that arrives meanwhile is held back until that work has returned.
void PumpPendingMessages();
bool InsideMessagePump();
void DeferClose(WPARAM wParam);
// Re-posts a close that was held back; the main loop calls it between messages.
void ReleaseDeferredClose();

DWORD WINAPI MenuLoopWatcher(void* parameter);
void StartMenuLoopWatcher();

// Stops the user-interface's own workers (the menu-loop watcher) before shut-down
// frees what they touch.
void StopWorkerThreads();
