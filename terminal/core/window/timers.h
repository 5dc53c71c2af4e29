// The program's timers on the main window: the 250-ms tick that counts the countdowns of
// ticks.h down, the keyboard unlock and the shut-down's stop.
#pragma once

#include "terminal/core/base/ticks.h"
#include "terminal/core/base/win32.h"

void StartProgramTimers(HWND window);
void StartTickTimer(HWND window);
void StopTickTimer(HWND window);
void EnsureTickTimer(HWND window);
void CALLBACK TimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
void TimerTick();

// LockKeyboardTimed (uiservices.h) starts timer 2; from another thread it is posted.
void UnlockKeyboardTimer(HWND window);
// Every timer of the main window stopped (the shut-down).
void StopAllTimers(HWND window);
