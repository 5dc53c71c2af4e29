// Replay of a captured file: into the emulation as if the host had sent it, or to the
// host as if it had been typed.
#include <atomic>
#include <cwchar>
#include <mutex>

#include "terminal/core/base/handles.h"
#include "terminal/core/base/win32.h"

#include <commdlg.h>

#include "terminal/core/host/capture.h"
#include "terminal/comms/capture/capturefiles.h"
#include "terminal/comms/capture/replayrecord.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/comms/telnet/telnetoptions.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/family.h"
#include "terminal/core/base/language.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/host/attention.h"
#include "terminal/core/host/hostio.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/host/hostsettings.h"
#include "terminal/core/host/pushback.h"

namespace {
constexpr int kBlock = 512;
constexpr int kNameUnits = 256;
constexpr u32 kStrReplayTitle = 5005;   // "Replay File"
constexpr u32 kStrErrorOpening = 7105;  // "Error opening %s"
constexpr u32 kStrNoMemory = 7106;      // "Not enough memory to open %s"
constexpr int kGroupId = 1138, kEmulationId = 1139, kHostId = 1140;
constexpr int kNetworkButton = 1037, kDirectoryList = 1121;

struct ReplayState {
    HANDLE file = INVALID_HANDLE_VALUE;
    std::atomic<bool> active{false};
    u8* buffer = nullptr;  // 514 bytes, filled 512 at a time
    int index = 0, count = 0;
    bool toHost = false;
    int chosen = kEmulationId;  // the open dialog's choice, kept for the next time
};
ReplayState g_replay;
std::recursive_mutex g_lock;

// Fills the buffer; false (the replay stopped) at the end of the file or on an error.
bool Refill()
{
    DWORD got = 0;
    if (!ReadFile(g_replay.file, g_replay.buffer, kBlock, &got, nullptr) || got == 0) {
        StopReplay();
        return false;
    }
    g_replay.index = 0;
    g_replay.count = static_cast<int>(got);
    return true;
}

HWND AddControl(HWND dialog, const wchar_t* cls, u32 textId, DWORD style, int id, const RECT& r, HFONT font)
{
    wchar_t text[64];
    LoadLanguageString(InstanceHandle, textId, text, 64);
    HWND control = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                                   r.bottom - r.top, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   InstanceHandle, nullptr);
    if (control && font)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return control;
}

void MoveRight(HWND dialog, int id, int by)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return;
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(control, nullptr, r.left + by, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// Widens the open dialog and adds the "Replay To:" choice below the directory list.
void AddReplayChoice(HWND dialog)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    HDC dc = GetDC(dialog);
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    if (old)
        SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    const int widen = 12 * tm.tmAveCharWidth;
    const int line = tm.tmHeight + tm.tmExternalLeading + 4;
    RECT frame;
    GetWindowRect(dialog, &frame);
    for (int id : {IDOK, IDCANCEL, kNetworkButton})
        MoveRight(dialog, id, widen);
    RECT list{0, 0, 0, 0};
    if (HWND directories = GetDlgItem(dialog, kDirectoryList)) {
        GetWindowRect(directories, &list);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&list), 2);
    }
    RECT client;
    GetClientRect(dialog, &client);
    const int top = list.bottom > 0 ? list.bottom + line / 2 : client.bottom;
    const int left = list.right > list.left ? list.left : tm.tmAveCharWidth;
    const int width = (list.right > list.left ? list.right - list.left : 20 * tm.tmAveCharWidth);
    const RECT group{left, top, left + width, top + line * 3 + line / 2};
    const int grow = group.bottom + line / 2 > client.bottom ? group.bottom + line / 2 - client.bottom : 0;
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left + widen, frame.bottom - frame.top + grow,
                 SWP_NOMOVE | SWP_NOZORDER);
    AddControl(dialog, L"BUTTON", kGroupId, BS_GROUPBOX, kGroupId, group, font);
    const RECT emulation{left + tm.tmAveCharWidth, top + line, left + width - tm.tmAveCharWidth, top + 2 * line};
    const RECT host{emulation.left, top + 2 * line, emulation.right, top + 3 * line};
    AddControl(dialog, L"BUTTON", kEmulationId, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, kEmulationId,
               emulation, font);
    AddControl(dialog, L"BUTTON", kHostId, BS_AUTORADIOBUTTON, kHostId, host, font);
    CheckRadioButton(dialog, kEmulationId, kHostId, g_replay.chosen);
}

UINT_PTR CALLBACK ReplayOpenHook(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: AddReplayChoice(dialog); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == kEmulationId || LOWORD(wParam) == kHostId) {
            g_replay.chosen = LOWORD(wParam);
            CheckRadioButton(dialog, kEmulationId, kHostId, g_replay.chosen);
            return TRUE;
        }
        break;
    case WM_SYSCHAR:
        if (wParam == L'r' || wParam == L'R') {
            SetFocus(GetDlgItem(dialog, kEmulationId));
            return TRUE;
        }
        break;
    }
    return FALSE;
}
}  // namespace

bool ReplayFileOpen()
{
    return g_replay.active;
}

bool ReplayTargetHost()
{
    return g_replay.active && g_replay.toHost;
}

void StopReplay()
{
    std::lock_guard<std::recursive_mutex> hold(g_lock);
    if (g_replay.file != INVALID_HANDLE_VALUE)
        CloseHandle(g_replay.file);
    g_replay.file = INVALID_HANDLE_VALUE;
    delete[] g_replay.buffer;
    g_replay.buffer = nullptr;
    g_replay.index = g_replay.count = 0;
    const bool was = g_replay.active.exchange(false);
    ResetReplayRecord();
    if (was)
        RefreshCaptureMenus();
}

int StartReplayFromFile(HWND owner)
{
    wchar_t name[kNameUnits] = {}, title[64];
    LoadLanguageString(InstanceHandle, kStrReplayTitle, title, 64);
    static const wchar_t kFilter[] = L"Replay Files\0*.DAT;*.CAP\0ReGIS Files\0*.REG\0Sixel Files\0*.SXL\0"
                                     L"Log File\0*.LOG\0All Files\0*.*\0";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name;
    ofn.nMaxFile = kNameUnits;
    ofn.lpstrTitle = title;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLEHOOK;
    ofn.lpfnHook = ReplayOpenHook;
    if (!GetOpenFileNameW(&ofn))
        return 0;
    HANDLE file = CreateFileW(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        MessageBoxFormatId(kStrErrorOpening, name);
        return 0;
    }
    u8* buffer = new (std::nothrow) u8[kBlock + 2];
    if (!buffer) {
        CloseHandle(file);
        MessageBoxFormatId(kStrNoMemory, name);
        return 0;
    }
    std::lock_guard<std::recursive_mutex> hold(g_lock);
    StopReplay();
    g_replay.file = file;
    g_replay.buffer = buffer;
    g_replay.index = g_replay.count = 0;
    g_replay.toHost = g_replay.chosen == kHostId;
    ResetReplayRecord();
    g_replay.active = true;
    AttendHostReader(kAttendInput);  // the replay comes before received bytes
    return 1;
}

void ReplayCommand(HWND owner)
{
    if (ReplayFileOpen()) {
        StopReplay();
    } else {
        SetModalFlag(1);
        HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        StartReplayFromFile(owner);
        SetCursor(previous);
        SetModalFlag(0);
        WakeHostReader();
    }
    RefreshCaptureMenus();
}

int ReplayReadBlock(u8* buffer, int capacity)
{
    std::lock_guard<std::recursive_mutex> hold(g_lock);
    if (!g_replay.active || !buffer || capacity < 1)
        return 0;
    DWORD got = 0;
    if (!ReadFile(g_replay.file, buffer, static_cast<DWORD>(capacity), &got, nullptr))
        got = 0;
    return static_cast<int>(got);
}

int ReplayNextByte()
{
    const int pushed = PopReplayByte();
    if (pushed >= 0)
        return pushed;
    std::unique_lock<std::recursive_mutex> hold(g_lock);
    if (!g_replay.active)
        return -1;
    if (g_replay.index >= g_replay.count) {
        const u8 emulation = EmulationId;
        if (!Refill() || EmulationId != emulation)
            return -1;
        hold.unlock();
        // Replay runs as fast as the file reads: the screen and the serial line are
        // kept going between blocks.
        RunIdleUpdates();
        RunSerialTransmitPump();
        if (EmulationId != emulation)
            return -1;
        hold.lock();
        if (!g_replay.active || g_replay.index >= g_replay.count)
            return -1;
    }
    int b = g_replay.buffer[g_replay.index++];
    const bool toHost = g_replay.toHost;
    hold.unlock();
    if (DataBitsSetting != 2)
        b &= 0x7F;
    if (CaptureReplayedByte(static_cast<u8>(b)) < 0)
        return -1;
    if (toHost) {
        if (TelnetRecordSession())
            ReplayRecordByte(static_cast<u8>(b));
        else
            HostSendRawByte(static_cast<u8>(b));
        return -1;
    }
    auto filter = ActiveFamily().filterReceivedByte;
    const int filtered = filter ? filter(b) : b;
    return filtered < 0 ? -1 : (filtered & 0xFF);
}

int AskReplayStep()
{
    SetModalFlag(1);
    const int answer = MessageBoxW(MainWindowHandle, L"Abort: End, Retry: Go to next user o/p, Ignore: Run",
                                   L"Replay", MB_ABORTRETRYIGNORE | MB_ICONQUESTION | MB_DEFBUTTON2);
    SetModalFlag(0);
    return answer;
}
