// Binding of the optional keyboard hook module VXNTHOOK.DLL, which keeps Num Lock steady
// while the terminal has the keyboard. Without the module (or with one that lacks an
// entry) every call here does nothing and the program runs as usual.
#pragma once

#include "terminal/core/base/win32.h"

// The bound module and its entries; 0 when not bound.
extern HMODULE HookModule;
// Result of InitHook; 0 while no module is bound.
extern u32 HookActive;

// Loads VXNTHOOK.DLL from `directory` (ending in "\") and resolves InitHook and
// PreventNumLockToggle; a module that lacks either is freed again. The module or 0.
HMODULE LoadHookModuleFrom(const wchar_t* directory);
// The same from the program's own directory.
HMODULE LoadHookModule();
// Binds the module once at start-up: HookActive = InitHook() when it loaded.
void BindHookModule();
void BindHookModuleFrom(const wchar_t* directory);
// Calls PreventNumLockToggle(on, on ? main window : 0) while the hook is active.
// Returns HookActive in every case.
u32 SetPreventNumLockToggle(u32 on);
// The same for another window that has the keyboard (a Setup page).
u32 PreventNumLockToggleFor(u32 on, HWND window);
void FreeHookModule();

// Focus lost: the protection goes off and waits to be re-armed.
void SuspendNumLockProtection();
// Focus gained: re-arms the protection with the setting once after each loss (and once
// after start-up).
void RearmNumLockProtection(u32 setting);

// The terminal settings' "Ignore NumLock" choice: whether the protection is wanted.
u32 NumLockProtectionSetting();
