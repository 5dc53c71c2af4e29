// Loading another profile while the program runs (the Open Session page's choice).
#include "terminal/core/session/profilereload.h"

#include "terminal/core/base/handles.h"
#include "terminal/core/base/menus.h"
#include "terminal/core/paint/palette.h"
#include "terminal/core/session/terminalinit.h"
#include "terminal/settings/store/connsettings.h"
#include "terminal/comms/capture/loginscript.h"
#include "terminal/comms/telnet/netsession.h"
#include "terminal/comms/serial/serial.h"
#include "terminal/comms/telnet/sockets.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/window/emuswitch.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/session/instances.h"
#include "terminal/core/base/messagebox.h"
#include "terminal/core/screen/display.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/window/scrollback.h"
#include "terminal/core/base/stringids.h"
#include "terminal/core/base/uiservices.h"
#include "terminal/settings/store/profile.h"
#include "terminal/settings/store/profilevalues.h"
#include "terminal/core/base/registry.h"

namespace {
constexpr u32 kProfileHoldMs = 2000;

void EndLoading()
{
    ProfileLoadInProgress = 0;
    StartingUp = 0;
}

int ReloadChosenProfile();
}  // namespace

int ReloadProfile()
{
    // One reload at a time: a refused one shows a message box, whose message loop would
    // take further requests into reloads (and boxes) of their own.
    static bool reloading = false;
    if (reloading)
        return 0;
    reloading = true;
    const int result = ReloadChosenProfile();
    reloading = false;
    return result;
}

namespace {

int ReloadChosenProfile()
{
    // Without a profile chosen (Setup's apply asks for a reload) the current one is
    // loaded again.
    if (!SelectedProfileName[0])
        CopyText(SelectedProfileName, kSlotUnits, CurrentProfileName());
    if (SaveAsDefaultPending) {
        SettingsWriteString(nullptr, VXT("Session"), SelectedProfileName);
        SaveAsDefaultPending = 0;
    }
    if (!SettingsProfileExistsAnyRoot(SelectedProfileName)) {
        // The running profile stays, and so does the connection being made.
        CopyText(SelectedProfileName, kSlotUnits, CurrentProfileName());
        MessageBoxById(kStrInvalidConfiguration);
        return 0;
    }
    ProfileLoadInProgress = 1;
    StartingUp = 1;
    // The host-data thread waits at the profile gate while the settings change under it.
    HoldHostDataThread(HostGate::Profile, kProfileHoldMs);
    StopActiveEmulation();
    CopyText(CurrentProfileName(), kSlotUnits, SelectedProfileName);
    StartingUp = 0;
    if (!InitialiseTerminal(0)) {
        EndLoading();
        ReleaseHostDataThread(HostGate::Profile);
        MessageBoxById(kStrEmulationInitError);
        return 0;
    }
    StartingUp = 1;
    SetMarginLinePointers(0, Screen.rows - 1);
    MoveCursorAbsolute(0, 0);
    ApplyColourPalette();
    SetScrollBarVisible(true, false);
    ResetScrollRange();
    // The profile's emulation starts afresh: the DEC family without a previous one.
    const u8 id = EmulationId;
    const u8 from = IsVtFamily(id) ? kNoEmulation : kDefaultEmulationId;
    RequestEmulation(from, id);
    SelectEmulation(from, id);
    EndLoading();
    if (MainWindowHandle)
        SetWindowPos(MainWindowHandle, HWND_NOTOPMOST, SavedWindowRect.x, SavedWindowRect.y, SavedWindowRect.width,
                     SavedWindowRect.height, SWP_SHOWWINDOW);
    RefitScreenFont();
    InvalidateTerminal();
    // A connection that is open or being made stays; otherwise the profile's host is
    // connected.
    if (Connection.netname[0] && Connection.netproto == 0 && !Connection.noConnection &&
        !NetworkConnectionOpen() && ConnectionStartState != 3)
        ConnectionStartState = 2;
    else
        RequestSerialConnection();
    StopLoginScript();
    StartLoginScript();
    ReleaseHostDataThread(HostGate::Profile);
    LoadTelnetSettings();
    UpdateWindowTitle(MainWindowHandle);
    UpdateConnectionMenu();
    return 1;
}

}  // namespace
