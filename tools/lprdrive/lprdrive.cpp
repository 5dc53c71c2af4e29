// lprdrive: loads lprspool.DLL and calls its exports as the terminal would, for tests.
// It reads one command per line on standard input and answers each with one line of
// JSON. Commands run on the thread that owns the driver's window, which pumps messages
// between commands, as the terminal's user-interface thread does.
//
//   load PATH                          LoadLibraryW and bind the five exports by name
//   init self|0                        InitLPD with the driver's window or none
//   open HOST QUEUE JOB USER NUMBER COPIES BANNER RETRIES DELAY DEBUG
//   add INDEX HEX                      AddLPDData with those bytes
//   addraw INDEX LENGTH null|buffer    AddLPDData with a given length and pointer
//   addfile INDEX PATH CHUNK           AddLPDData of a file's bytes, CHUNK at a time
//   close INDEX                        CloseLPDRequest
//   debug                              StartLPDDebug
//   lines                              the debug window's list box lines
//   window                             the debug window: exists, visible, title, rectangles
//   command ID                         posts WM_COMMAND ID to the debug window
//   version                            the module's string 10100
//   pump MS                            only pump messages for a while
//   free                               FreeLibrary
//   loaded                             whether lprspool.DLL is still in the process
//   exit                               return from main with work still queued
//
// Texts take the escapes \n \r \t \\ \xHH and \uHHHH; "" is an empty text.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/common/commandlines.h"

namespace {

using InitLPDFn = HWND(WINAPI*)(HWND);
using OpenFn = int(WINAPI*)(LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, int, int, int, UINT, UINT, int);
using AddFn = int(WINAPI*)(int, const BYTE*, int);
using CloseFn = int(WINAPI*)(int);
using DebugFn = HWND(WINAPI*)();

HMODULE g_module;
InitLPDFn g_init;
OpenFn g_open;
AddFn g_add;
CloseFn g_close;
DebugFn g_debug;
HWND g_window;
HWND g_debugWindow;
CommandChannel g_channel;

template <typename Fn>
Fn Bind(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::wstring Text(const std::string& s)
{
    std::wstring w;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 >= s.size()) {
            w += static_cast<wchar_t>(static_cast<unsigned char>(s[i]));
            continue;
        }
        const char e = s[++i];
        switch (e) {
        case 'n': w += L'\n'; break;
        case 'r': w += L'\r'; break;
        case 't': w += L'\t'; break;
        case 'x':
            w += static_cast<wchar_t>(std::strtoul(s.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
            break;
        case 'u':
            w += static_cast<wchar_t>(std::strtoul(s.substr(i + 1, 4).c_str(), nullptr, 16));
            i += 4;
            break;
        default: w += static_cast<wchar_t>(e);
        }
    }
    return w;
}

std::string Json(const std::wstring& w)
{
    std::string out = "\"";
    for (wchar_t c : w) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c > 0x7E) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

long long Number(const std::string& s)
{
    return std::strtoll(s.c_str(), nullptr, 0);
}

std::string Result(long long value)
{
    return "{\"ok\":true,\"result\":" + std::to_string(value) + "}";
}

std::string Fail(const std::string& why)
{
    return "{\"ok\":false,\"error\":\"" + why + "\"}";
}

std::string Run(const std::vector<std::string>& a)
{
    const std::string& c = a.empty() ? std::string() : a[0];
    if (c == "load" && a.size() == 2) {
        g_module = LoadLibraryW(Text(a[1]).c_str());
        if (!g_module)
            return Fail("LoadLibrary " + std::to_string(GetLastError()));
        g_init = Bind<InitLPDFn>(g_module, "InitLPD");
        g_open = Bind<OpenFn>(g_module, "OpenLPDRequest");
        g_add = Bind<AddFn>(g_module, "AddLPDData");
        g_close = Bind<CloseFn>(g_module, "CloseLPDRequest");
        g_debug = Bind<DebugFn>(g_module, "StartLPDDebug");
        if (!g_init || !g_open || !g_add || !g_close || !g_debug)
            return Fail("exports");
        return Result(1);
    }
    if (!g_module && c != "loaded" && c != "exit" && c != "pump" && c != "window" && c != "lines" &&
        c != "command")
        return Fail("not loaded");
    if (c == "init" && a.size() == 2)
        return Result(g_init(a[1] == "self" ? g_window : nullptr) == (a[1] == "self" ? g_window : nullptr));
    if (c == "open" && a.size() == 11) {
        const std::wstring host = Text(a[1]), queue = Text(a[2]), job = Text(a[3]), user = Text(a[4]);
        return Result(g_open(host.c_str(), queue.c_str(), job.c_str(), user.c_str(),
                             static_cast<int>(Number(a[5])), static_cast<int>(Number(a[6])),
                             static_cast<int>(Number(a[7])), static_cast<UINT>(Number(a[8])),
                             static_cast<UINT>(Number(a[9])), static_cast<int>(Number(a[10]))));
    }
    if (c == "add" && a.size() == 3) {
        std::vector<BYTE> bytes;
        for (size_t i = 0; i + 1 < a[2].size(); i += 2)
            bytes.push_back(static_cast<BYTE>(std::strtoul(a[2].substr(i, 2).c_str(), nullptr, 16)));
        return Result(g_add(static_cast<int>(Number(a[1])), bytes.data(), static_cast<int>(bytes.size())));
    }
    if (c == "addraw" && a.size() == 4) {
        static const BYTE buffer[16] = {'x'};
        return Result(g_add(static_cast<int>(Number(a[1])), a[3] == "null" ? nullptr : buffer,
                            static_cast<int>(Number(a[2]))));
    }
    if (c == "addfile" && a.size() == 4) {
        const int index = static_cast<int>(Number(a[1]));
        size_t chunk = static_cast<size_t>(Number(a[3]));
        if (chunk == 0)
            chunk = 1;
        std::vector<BYTE> bytes;
        HANDLE file = CreateFileW(Text(a[2]).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                  nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return Fail("open " + std::to_string(GetLastError()));
        LARGE_INTEGER size = {};
        GetFileSizeEx(file, &size);
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        const BOOL read = bytes.empty() ||
                          ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
        CloseHandle(file);
        if (!read || got != bytes.size())
            return Fail("read");
        int result = g_add(index, bytes.data(), 0);
        for (size_t at = 0; at < bytes.size() && result == 1; at += chunk) {
            const size_t n = bytes.size() - at < chunk ? bytes.size() - at : chunk;
            result = g_add(index, bytes.data() + at, static_cast<int>(n));
        }
        return Result(result);
    }
    if (c == "close" && a.size() == 2)
        return Result(g_close(static_cast<int>(Number(a[1]))));
    if (c == "debug") {
        g_debugWindow = g_debug();
        return "{\"ok\":true,\"hwnd\":" + std::to_string(reinterpret_cast<uintptr_t>(g_debugWindow)) + "}";
    }
    if (c == "lines") {
        HWND list = GetDlgItem(g_debugWindow, 1000);
        if (!list)
            return Fail("no debug list");
        std::string out = "{\"ok\":true,\"visible\":" + std::to_string(IsWindowVisible(g_debugWindow) ? 1 : 0) +
                          ",\"lines\":[";
        const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring line(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
            line.resize(wcslen(line.c_str()));
            out += (i ? "," : "") + Json(line);
        }
        return out + "]}";
    }
    if (c == "window") {
        wchar_t title[128] = {};
        GetWindowTextW(g_debugWindow, title, 127);
        RECT self = {}, owner = {};
        GetWindowRect(g_debugWindow, &self);
        GetWindowRect(g_window, &owner);
        char rects[160];
        std::snprintf(rects, sizeof rects, "\"rect\":[%ld,%ld,%ld,%ld],\"owner\":[%ld,%ld,%ld,%ld]", self.left,
                      self.top, self.right, self.bottom, owner.left, owner.top, owner.right, owner.bottom);
        return "{\"ok\":true,\"exists\":" + std::to_string(IsWindow(g_debugWindow) ? 1 : 0) +
               ",\"visible\":" + std::to_string(IsWindowVisible(g_debugWindow) ? 1 : 0) +
               ",\"title\":" + Json(title) + "," + rects + "}";
    }
    if (c == "command" && a.size() == 2)
        return Result(PostMessageW(g_debugWindow, WM_COMMAND, static_cast<WPARAM>(Number(a[1])), 0));
    if (c == "version") {
        wchar_t text[64] = {};
        LoadStringW(g_module, 10100, text, 63);
        return "{\"ok\":true,\"text\":" + Json(text) + "}";
    }
    if (c == "pump" && a.size() == 2) {
        const DWORD end = GetTickCount() + static_cast<DWORD>(Number(a[1]));
        MSG m;
        while (static_cast<LONG>(end - GetTickCount()) > 0) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&m);
                DispatchMessageW(&m);
            }
        }
        return Result(1);
    }
    if (c == "free") {
        const BOOL freed = FreeLibrary(g_module);
        g_module = nullptr;
        return Result(freed);
    }
    if (c == "loaded")
        return Result(GetModuleHandleW(L"lprspool.DLL") != nullptr);
    if (c == "exit") {
        g_channel.exit = true;
        return Result(1);
    }
    return Fail("unknown command");
}

constexpr UINT WM_DRIVER_COMMAND = WM_APP + 7;

LRESULT CALLBACK DriverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRIVER_COMMAND) {
        auto* line = reinterpret_cast<std::string*>(lParam);
        g_channel.answer = Run(SplitCommand(*line));
        SetEvent(g_channel.done);
        if (g_channel.exit)
            PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main()
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DriverProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"lprdrive";
    RegisterClassW(&wc);
    g_window = CreateWindowW(L"lprdrive", L"lprdrive", WS_OVERLAPPEDWINDOW, 100, 100, 640, 480, nullptr, nullptr,
                             wc.hInstance, nullptr);
    g_channel.window = g_window;
    g_channel.message = WM_DRIVER_COMMAND;
    HANDLE reader = CreateThread(nullptr, 0, ReadCommandLines, &g_channel, 0, nullptr);
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    // The answer to "exit" is still being written by the reader.
    WaitForSingleObject(reader, 5000);
    // Returning ends the process with the module still loaded and its jobs pending.
    return 0;
}
