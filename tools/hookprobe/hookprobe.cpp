// hookprobe: loads VXNTHOOK.DLL on its window thread, as the terminal does, injects keys
// with SendInput and logs what its two windows receive: "target" (the window named to
// PreventNumLockToggle) and "focus" (the window with the keyboard focus). One command
// per line on standard input, one line of JSON per answer:
//
//   load PATH                  LoadLibraryW and bind the three exports by name
//   free                       FreeLibrary (once per load)
//   init                       InitHook
//   prevent ON [gone]          PreventNumLockToggle(ON, target window), or a window that
//                              no longer exists
//   setnum ON                  SetNumLockState(ON)
//   numlock                    GetKeyState(VK_NUMLOCK) & 1 on the window thread
//   key VK SCAN EXT down|up    one SendInput key event (EXT 1: extended key)
//   log                        key messages received since the last log, then clears
//   exit
//
// After every command the window thread pumps messages for a moment, so the hook (which
// runs on that thread) and the windows see the injected input before the answer.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/common/commandlines.h"

namespace {

using InitHookFn = int(WINAPI*)();
using PreventFn = UINT(WINAPI*)(UINT, HWND);
using SetNumFn = int(WINAPI*)(int);

template <typename Fn>
Fn Bind(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

HMODULE g_module;
InitHookFn g_initHook;
PreventFn g_prevent;
SetNumFn g_setNum;
HWND g_control, g_target, g_focus;
std::string g_log;
CommandChannel g_channel;

long long Number(const std::string& s)
{
    return std::strtoll(s.c_str(), nullptr, 0);
}

std::string Result(long long value)
{
    return "{\"ok\":true,\"result\":" + std::to_string(value) + "}";
}

void Pump(DWORD ms)
{
    const DWORD end = GetTickCount() + ms;
    MSG m;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }
}

std::string Run(const std::vector<std::string>& a)
{
    const std::string c = a.empty() ? std::string() : a[0];
    if (c == "load" && a.size() == 2) {
        std::wstring path(a[1].begin(), a[1].end());
        g_module = LoadLibraryW(path.c_str());
        if (!g_module)
            return "{\"ok\":false,\"error\":\"LoadLibrary " + std::to_string(GetLastError()) + "\"}";
        g_initHook = Bind<InitHookFn>(g_module, "InitHook");
        g_prevent = Bind<PreventFn>(g_module, "PreventNumLockToggle");
        g_setNum = Bind<SetNumFn>(g_module, "SetNumLockState");
        return Result(g_initHook && g_prevent && g_setNum);
    }
    if (c == "free")
        return Result(FreeLibrary(g_module));
    if (c == "init")
        return Result(g_initHook());
    if (c == "prevent" && (a.size() == 2 || a.size() == 3)) {
        HWND target = g_target;
        if (a.size() == 3) {
            target = CreateWindowW(L"hookprobe", L"gone", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                   nullptr);
            DestroyWindow(target);
        }
        return Result(g_prevent(static_cast<UINT>(Number(a[1])), target));
    }
    if (c == "setnum" && a.size() == 2)
        return Result(g_setNum(static_cast<int>(Number(a[1]))));
    if (c == "numlock")
        return Result(GetKeyState(VK_NUMLOCK) & 1);
    if (c == "key" && a.size() == 5) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = static_cast<WORD>(Number(a[1]));
        in.ki.wScan = static_cast<WORD>(Number(a[2]));
        in.ki.dwFlags = (Number(a[3]) ? KEYEVENTF_EXTENDEDKEY : 0) | (a[4] == "up" ? KEYEVENTF_KEYUP : 0);
        return Result(SendInput(1, &in, sizeof in));
    }
    if (c == "log") {
        std::string out = "{\"ok\":true,\"log\":[" + g_log + "]}";
        g_log.clear();
        return out;
    }
    if (c == "exit") {
        g_channel.exit = true;
        return Result(1);
    }
    return "{\"ok\":false,\"error\":\"unknown command\"}";
}

constexpr UINT WM_PROBE_COMMAND = WM_APP + 9;

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PROBE_COMMAND:
        g_channel.answer = Run(SplitCommand(*reinterpret_cast<std::string*>(lParam)));
        Pump(150);
        SetEvent(g_channel.done);
        if (g_channel.exit)
            PostQuitMessage(0);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        if (window != g_control) {
            char entry[160];
            std::snprintf(entry, sizeof entry, "%s{\"window\":\"%s\",\"msg\":%u,\"vk\":%u,\"lparam\":%lu}",
                          g_log.empty() ? "" : ",", window == g_target ? "target" : "focus", message,
                          static_cast<unsigned>(wParam), static_cast<unsigned long>(static_cast<DWORD>(lParam)));
            g_log += entry;
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"hookprobe";
    RegisterClassW(&wc);
    g_control = CreateWindowW(L"hookprobe", L"control", WS_OVERLAPPED, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
    g_target = CreateWindowW(L"hookprobe", L"target", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr,
                             wc.hInstance, nullptr);
    g_focus = CreateWindowW(L"hookprobe", L"focus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 250, 0, 200, 200, nullptr,
                            nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(g_focus);
    SetFocus(g_focus);
    g_channel.window = g_control;
    g_channel.message = WM_PROBE_COMMAND;
    HANDLE reader = CreateThread(nullptr, 0, ReadCommandLines, &g_channel, 0, nullptr);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    WaitForSingleObject(reader, 5000);
    return 0;
}
