// VXNTHOOK.DLL: a low-level keyboard hook installed while the module is loaded. It runs
// on the thread that loaded the module and posts translated keys to the window that
// PreventNumLockToggle names.
#include "terminal/core/base/win32.h"

#include "kbhook/keypadhook.h"

namespace {

HINSTANCE g_instance;
HHOOK g_hook;
u32 HookAttachCount;
KeypadHookState g_state;

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code < 0)
        return CallNextHookEx(g_hook, code, wParam, lParam);
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const u32 message = static_cast<u32>(wParam);
    const KeypadHookDecision d = KeypadHookDecide(g_state, message, key->vkCode, key->scanCode, key->flags);
    if (d.post) {
        HWND target = g_state.target;
        if (target && IsWindow(target)) {
            PostMessageW(target, message, d.vk, static_cast<LPARAM>(d.lParam));
            return 1;
        }
    }
    if (d.recordNumLock)
        g_state.recordedNumLock = GetKeyState(VK_NUMLOCK) & 1;
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        if (HookAttachCount != 0) {
            ++HookAttachCount;
        } else if (!g_hook) {
            g_hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHookProc, instance, 0);
            if (g_hook)
                HookAttachCount = 1;
        }
    } else if (reason == DLL_PROCESS_DETACH) {
        if (HookAttachCount > 0 && --HookAttachCount == 0 && g_hook) {
            UnhookWindowsHookEx(g_hook);
            g_hook = nullptr;
        }
    }
    // Without a hook the module still loads; InitHook then says so.
    return TRUE;
}

extern "C" int WINAPI InitHook()
{
    if (!g_hook)
        return 0;
    g_state.recordedNumLock = GetKeyState(VK_NUMLOCK) & 1;
    return 1;
}

extern "C" u32 WINAPI PreventNumLockToggle(u32 enable, HWND target)
{
    g_state.target = target;
    g_state.translation = enable;
    return enable;
}

extern "C" int WINAPI SetNumLockState(int on)
{
    const int before = GetKeyState(VK_NUMLOCK) & 1;
    if (before != (on ? 1 : 0)) {
        // Translation off, so the hook lets this press reach the system.
        const u32 translation = g_state.translation;
        g_state.translation = 0;
        keybd_event(VK_NUMLOCK, 0x45, KEYEVENTF_EXTENDEDKEY, 0);
        keybd_event(VK_NUMLOCK, 0x45, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
        g_state.translation = translation;
    }
    return before;
}
