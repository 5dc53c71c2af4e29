#include "terminal/core/session/instances.h"

#include <cstdint>
#include <string>

#include "terminal/comms/capture/loginscript.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/telnet/network.h"
#include "terminal/core/base/commandids.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/handles.h"
#include "terminal/core/base/menus.h"
#include "terminal/core/session/sessionprofile.h"
#include "terminal/core/window/emuswitch.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/core/base/startopts.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/settings/store/profile.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/core/base/win32.h"
#include "terminal/core/base/registry.h"

void InitProfileSelection()
{
    const u32 savedRoot = SettingsRootIsUser();
    const u32 savedKeep = KeepCurrentValues;
    if (!CurrentProfileName()[0] && !StartupOptions.targetGiven && StartupOptions.networkProtocol == 1) {
        KeepCurrentValues = 0;
        wchar16 machine[kSlotUnits] = L"Untitled";
        SettingsSelectRoot(0);
        SettingsReadString(nullptr, L"Session", L"Untitled", machine, kSlotUnits);
        CopyText(CurrentProfileName(), kSlotUnits, machine);
        SettingsSelectRoot(1);
        SettingsReadString(nullptr, L"Session", machine, CurrentProfileName(), kSlotUnits);
    }
    KeepCurrentValues = savedKeep;
    SettingsSelectRoot(savedRoot);
    CopyText(SelectedProfileName, kSlotUnits, CurrentProfileName());
    SelectProfileRoot(CurrentProfileName());
    // A first instance takes the slots over; a further one ("+cs") joins the others.
    if (!StartupOptions.keepSessionSlots)
        ReleaseSessionSlots();
}

void SaveCurrentSession()
{
    if (CurrentProfileName()[0])
        SaveProfile();
    else
        PostMainCommand(kCmdSaveAs);
}

namespace {
constexpr wchar16 kUntitled[] = VXT("Untitled");

bool BaseHasValue(const wchar16* name)
{
    HKEY base = SettingsOpenBaseKey();
    if (!base)
        return false;
    const bool found = RegQueryValueExW(base, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    SettingsCloseKey(base);
    return found;
}
}  // namespace

void WriteStartupDialog(u32 value)
{
    HKEY key = SettingsCreateKey(VXT("Startup"));
    if (!key)
        return;
    SettingsWriteDword(key, VXT("Dialog"), value);
    SettingsCloseKey(key);
}

int ReadStartupSettings()
{
    StartupOptionValues& o = StartupOptions;
    if (!BaseHasValue(VXT("Session")) && !Slots.profileName[0]) {
        if (!SettingsCreateProfile(kUntitled))
            return 0;
        SettingsWriteString(nullptr, VXT("Session"), kUntitled);
    }
    HKEY startup = SettingsOpenKeyRead(VXT("Startup"));
    const u32 keep = KeepCurrentValues;
    KeepCurrentValues = 0;
    u32 dialog = SettingsReadDword(startup, VXT("Dialog"), static_cast<u32>(-1), 1);
    KeepCurrentValues = keep;
    SettingsCloseKey(startup);
    if (dialog == 3) {
        dialog = 1;
        WriteStartupDialog(1);
    } else if (o.registeredConnection) {
        dialog = 0;
    }
    o.startupDialog = dialog;

    HKEY security;
    DWORD mask = 0, type = 0, size = sizeof mask;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\ZARA\\Security", 0, KEY_READ, &security) == ERROR_SUCCESS) {
        if (RegQueryValueExW(security, L"SecurityCfg", nullptr, &type, reinterpret_cast<BYTE*>(&mask), &size) !=
                ERROR_SUCCESS ||
            type != REG_DWORD)
            mask = 0;
        RegCloseKey(security);
    }
    o.securityMask = mask;
    return 1;
}

void DisconnectSession()
{
    if (StartupOptions.clearScreenOnClose)
        ClearEmulationScreen();
    StopLoginScript();
    RequestSerialClose();
    if (SocketIndex >= 0) {
        // The host-data thread reads the socket: it closes it at its next read. Without
        // a reader the connection is closed here.
        DisconnectRequested = 1;
        if (HostDataThreadRunning()) {
            WakeHostReader();
        } else {
            DisconnectNetworkSession(SocketIndex);
            SocketIndex = kNoSocket;
            DisconnectRequested = 0;
        }
    }
    UpdateWindowTitle(MainWindowHandle);
    UpdateConnectionMenu();
}
