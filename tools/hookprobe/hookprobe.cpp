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
// Keys are injected only once "focus" has the focus (see EnsureFocus). The hook runs on
// the window thread, so the injected input is seen only while that thread pumps
// messages, and how long it takes depends on the load of the machine.
// Before "log" and "numlock" answer, the probe therefore injects a marker key and pumps
// until the marker has come through: input is delivered in order, so everything
// injected before it has been handled by then (and keys the hook posts to the target
// are posted messages, which are taken before any later input).
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

// The marker key: the keyboard has no F24 and the hook leaves it alone.
constexpr WORD kMarkerVk = VK_F24;
bool g_markerSeen;
constexpr DWORD kSettleMs = 20000;

long long Number(const std::string& s)
{
    return std::strtoll(s.c_str(), nullptr, 0);
}

std::string Result(long long value)
{
    return "{\"ok\":true,\"result\":" + std::to_string(value) + "}";
}

void Inject(WORD vk, WORD scan, DWORD flags)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = scan;
    in.ki.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

void PumpWaiting()
{
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

// Injected keys go to the window with the focus. Under Wine the X server has the last
// word on that, and it may not yet have given the focus to our window when the first
// key is injected: so every injection first waits until "focus" has it.
bool EnsureFocus()
{
    const DWORD start = GetTickCount();
    while (GetForegroundWindow() != g_focus || GetFocus() != g_focus) {
        if (GetTickCount() - start >= kSettleMs)
            return false;
        SetForegroundWindow(g_focus);
        SetFocus(g_focus);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        PumpWaiting();
    }
    return true;
}

// Pumps until every key injected so far has been delivered; false when the marker did
// not arrive in time.
bool Settle()
{
    if (!EnsureFocus())
        return false;
    g_markerSeen = false;
    Inject(kMarkerVk, 0, 0);
    Inject(kMarkerVk, 0, KEYEVENTF_KEYUP);
    const DWORD start = GetTickCount();
    while (!g_markerSeen && GetTickCount() - start < kSettleMs) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        PumpWaiting();
    }
    return g_markerSeen;
}

std::string NotSettled()
{
    return "{\"ok\":false,\"error\":\"no focus or the marker key never arrived (focus " +
           std::to_string(reinterpret_cast<UINT_PTR>(GetFocus())) + ", foreground " +
           std::to_string(reinterpret_cast<UINT_PTR>(GetForegroundWindow())) + ")\"}";
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
    if (c == "setnum" && a.size() == 2) {
        if (!EnsureFocus())
            return NotSettled();
        return Result(g_setNum(static_cast<int>(Number(a[1]))));
    }
    if (c == "numlock")
        return Settle() ? Result(GetKeyState(VK_NUMLOCK) & 1) : NotSettled();
    if (c == "key" && a.size() == 5) {
        if (!EnsureFocus())
            return NotSettled();
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = static_cast<WORD>(Number(a[1]));
        in.ki.wScan = static_cast<WORD>(Number(a[2]));
        in.ki.dwFlags = (Number(a[3]) ? KEYEVENTF_EXTENDEDKEY : 0) | (a[4] == "up" ? KEYEVENTF_KEYUP : 0);
        return Result(SendInput(1, &in, sizeof in));
    }
    if (c == "log") {
        if (!Settle())
            return NotSettled();
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
        PumpWaiting();
        SetEvent(g_channel.done);
        if (g_channel.exit)
            PostQuitMessage(0);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        if (wParam == kMarkerVk) {
            if (message == WM_KEYUP || message == WM_SYSKEYUP)
                g_markerSeen = true;
            return 0;
        }
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
    // Without a window manager the X server gives the keyboard to the window under the
    // pointer: put it over "focus", so that no late focus event takes the focus away.
    SetCursorPos(350, 100);
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
