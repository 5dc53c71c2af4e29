// Instances of one profile serve its hosts netname1..netname4 (unless those are a
// rollover list), one host each. An instance claims a slot: the volatile key
// {base}\{profile}\Session {n} holds its main window and host, so the slots vanish with
// the system while the profile's persistent keys beside them stay.
#include "terminal/core/base/handles.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/session/instances.h"

#include <cstdint>
#include <string>

#include "terminal/settings/store/connsettings.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/startopts.h"
#include "terminal/core/base/win32.h"
#include "terminal/settings/store/profile.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/core/base/registry.h"

// clang-format off
BOOL(WINAPI* StartInstanceProcess)(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID,
                                   LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION) = CreateProcessW;
// clang-format on

namespace {
constexpr int kMaxSlots = 4;
int SlotCount = 0;

std::wstring SlotPath(int n)
{
    return std::wstring(CurrentProfileName()) + L"\\Session " + std::to_wstring(n);
}

std::wstring SlotHostName(int n)
{
    return L"netname" + std::to_wstring(n);
}

u32 WindowValue(HWND window)
{
    // Window handles keep their meaning in 32 bits, also in a 64-bit process.
    return static_cast<u32>(reinterpret_cast<std::uintptr_t>(window));
}

HWND WindowOf(u32 value)
{
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(value));
}

// The window that owns slot n, 0 when it is free or missing.
u32 SlotOwner(int n)
{
    HKEY slot = SettingsOpenKey(SlotPath(n).c_str(), kKeyRead);
    const u32 keep = KeepCurrentValues;
    KeepCurrentValues = 0;
    const u32 owner = SettingsReadDword(slot, L"hWnd", 0, 0);
    KeepCurrentValues = keep;
    SettingsCloseKey(slot);
    return owner;
}

void FreeSlot(int n)
{
    HKEY slot = SettingsOpenKey(SlotPath(n).c_str(), kKeyAllAccess);
    if (!slot)
        return;
    SettingsDeleteValue(slot, L"hWnd");
    SettingsDeleteValue(slot, SlotHostName(n).c_str());
    SettingsCloseKey(slot);
}

void DeleteNumSessions()
{
    if (HKEY profile = SettingsOpenKey(CurrentProfileName(), kKeyAllAccess)) {
        SettingsDeleteValue(profile, L"NumSessions");
        SettingsCloseKey(profile);
    }
}

// Starts a further instance with this one's command line and " +cs", so that it keeps
// the slots the running instances hold.
void StartFurtherInstance()
{
    std::wstring line = GetCommandLineW();
    if (line.find(L" +cs") == std::wstring::npos)
        line += L" +cs";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (StartInstanceProcess(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                             nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

void SwitchSession(int direction)
{
    if (Connection.hostrollover || SlotCount == 0)
        return;
    if (direction > 0) {
        for (int n = 1; n <= SlotCount; ++n) {
            if (SlotOwner(n) != 0)
                continue;
            HKEY profile = SettingsCreateKeyEx(CurrentProfileName(), kRegVolatile);
            const u32 keep = KeepCurrentValues;
            KeepCurrentValues = 0;
            const u32 started = SettingsReadDword(profile, L"NumSessions", 1, 1);
            KeepCurrentValues = keep;
            if (started < static_cast<u32>(SlotCount)) {
                SettingsWriteDword(profile, L"NumSessions", started + 1);
                SettingsCloseKey(profile);
                StartFurtherInstance();
            } else {
                SettingsCloseKey(profile);
            }
            return;
        }
    }
    const int own = FindOwnSessionSlot();
    for (int step = 1; step <= SlotCount; ++step) {
        const int index = ((own + direction * step) % SlotCount + SlotCount) % SlotCount;
        const u32 owner = SlotOwner(index + 1);
        if (owner == 0)
            continue;
        if (WindowOf(owner) != MainWindowHandle)
            SetForegroundWindow(WindowOf(owner));
        return;
    }
}

}  // namespace

void RegisterSessionSlots()
{
    if (Connection.hostrollover)
        return;
    HKEY connection = SettingsOpenSection(CurrentProfileName(), L"CONNECTION");
    if (!connection)
        return;
    bool claimed = false;
    int found = 0;
    for (int n = 1; n <= kMaxSlots; ++n) {
        wchar16 host[kProfileHostUnits] = L"";
        const u32 savedKeep = KeepCurrentValues;
        KeepCurrentValues = 1;  // an absent name stays empty
        const int length = SettingsReadString(connection, SlotHostName(n).c_str(), L"", host, kProfileHostUnits);
        KeepCurrentValues = savedKeep;
        if (length == 0)
            break;
        ++found;
        HKEY slot = SettingsCreateKeyEx(SlotPath(n).c_str(), kRegVolatile);
        if (!slot)
            continue;
        DWORD owner = 0, type = 0, size = sizeof owner;
        if (RegQueryValueExW(slot, L"hWnd", nullptr, &type, reinterpret_cast<BYTE*>(&owner), &size) !=
                ERROR_SUCCESS ||
            type != REG_DWORD)
            owner = 0;
        if (owner == 0 && !claimed) {
            SettingsWriteDword(slot, L"hWnd", WindowValue(MainWindowHandle));
            SettingsWriteString(slot, SlotHostName(n).c_str(), host);
            CopyText(Connection.netname, kHostNameUnits, host);
            if (host[0] && Connection.netproto == 0 && StartupOptions.serialPort == 255)
                StatusBarSetLinkState(1);
            claimed = true;
        }
        SettingsCloseKey(slot);
    }
    SettingsCloseKey(connection);
    SlotCount = found;
}

void ReleaseSessionSlots()
{
    if (Connection.hostrollover)
        return;
    for (int n = 1; n <= kMaxSlots; ++n)
        FreeSlot(n);
    SlotCount = 0;
    DeleteNumSessions();
}

void CloseAllSessions()
{
    if (Connection.hostrollover)
        return;
    for (int n = 1; n <= SlotCount; ++n) {
        const u32 owner = SlotOwner(n);
        if (owner && WindowOf(owner) != MainWindowHandle)
            PostMessageW(WindowOf(owner), WM_CLOSE, 1, 0);
        FreeSlot(n);
    }
    SlotCount = 0;
    DeleteNumSessions();
}

int FindOwnSessionSlot()
{
    if (Connection.hostrollover)
        return 0;
    for (int n = 1; n <= SlotCount; ++n)
        if (SlotOwner(n) == WindowValue(MainWindowHandle))
            return n - 1;
    return SlotCount;
}

int SessionSlotCount()
{
    return SlotCount;
}

void SwitchToNextSession()
{
    SwitchSession(1);
}

void SwitchToPreviousSession()
{
    SwitchSession(-1);
}

void CloseMainWindow()
{
    if (MainWindowHandle)
        PostMessageW(MainWindowHandle, WM_CLOSE, 0, 0);
}
