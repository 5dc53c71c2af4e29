#include "terminal/core/frame/emuswitch.h"

#include "terminal/core/frame/commands.h"
#include "terminal/core/base/corestate.h"
#include "terminal/core/base/emuhooks.h"
#include "terminal/core/base/emulationids.h"
#include "terminal/core/paint/fonts.h"
#include "terminal/core/host/hostthread.h"
#include "terminal/core/frame/mainwindow.h"
#include "terminal/core/paint/painting.h"
#include "terminal/core/screen/screenops.h"
#include "terminal/core/screen/screenstore.h"
#include "terminal/core/frame/scrollback.h"
#include "terminal/core/frame/startup.h"
#include "terminal/core/frame/statusbar.h"
#include "terminal/core/frame/uiservices.h"
#include "terminal/emulations/dec/services.h"
#include "terminal/settings/registry.h"
#include "terminal/settings/upss.h"
#include "terminal/emulations/dec/vtmodes.h"


namespace {

// The switch never waits for ever on a host-data thread that does not park (a blocked
// send, a modal box on that thread): after this it goes ahead with the gate closed.
constexpr u32 kSwitchHoldMs = 2000;

bool IsWyse(u8 id)
{
    return id >= 8 && id <= 15;
}

// The family with an engine and flag of its own that runs emulation `id`; false for the
// DEC VT family and for ids that are no emulation.
bool HookFamilyOf(u8 id, HookFamily* family)
{
    switch (id) {
    case 4: case 5: case 21: *family = HookFamily::AnsiConsole; return true;
    case 23: *family = HookFamily::Aixterm; return true;
    case 6: *family = HookFamily::Ibm3270; return true;
    case 7: *family = HookFamily::Ibm5250; return true;
    case 16: *family = HookFamily::Ibm3151; return true;
    case 17: *family = HookFamily::Ta6530; return true;
    case 18: *family = HookFamily::Hp; return true;
    case 19: case 22: *family = HookFamily::Tvi; return true;
    case 20: *family = HookFamily::Dg; return true;
    default:
        if (IsWyse(id)) {
            *family = HookFamily::Wyse;
            return true;
        }
        return false;
    }
}

// Stops `from` (unless the change stays inside the DEC VT family or the Wyse family).
// Returns the changed mark.
bool DeactivateOld(u8 from, u8 to)
{
    if (from <= 3)
        return to > 3;
    if (from > 23)
        return true;  // nothing ran: only the mark
    HookFamily family;
    HookFamilyOf(from, &family);
    if (family == HookFamily::Wyse && IsWyse(to))
        return false;
    // The ANSI console and AIXterm stop only when they really run.
    if (family == HookFamily::AnsiConsole && !EmulationActiveFlags.ansiConsole)
        return false;
    if (family == HookFamily::Aixterm && EmulationActiveFlags.aixterm <= 0)
        return false;
    if (auto stop = HooksOf(family).deactivate)
        stop();
    return true;
}

// Starts a family with its own engine.
void ActivateFamily(u8 from, u8 to, HookFamily family)
{
    FamilyHooks& hooks = HooksOf(family);
    if (family == HookFamily::Wyse && IsWyse(from)) {
        if (hooks.reapply)
            hooks.reapply();
        return;
    }
    StatusBarClear();
    StatusBarDestroy();
    CreateStatusBar(InstanceHandle);
    if (hooks.layoutStatusBar)
        hooks.layoutStatusBar(InstanceHandle);
    if (family == HookFamily::Hp || family == HookFamily::Ta6530)
        SetScrollBarVisible(true, true);
    if (hooks.activate)
        hooks.activate();
    // 3270, 5250 and Wyse size the terminal area for themselves after they start.
    if (family == HookFamily::Ibm3270 || family == HookFamily::Ibm5250 || family == HookFamily::Wyse)
        RefitScreenFont();
}

void ActivateVt(u8 to, bool changed)
{
    if (changed) {
        SetScrollBarVisible(true, true);
        StatusBarClear();
        StatusBarDestroy();
        CreateStatusBar(InstanceHandle);
        VtLayoutStatusBar(InstanceHandle);
        EnterVtEmulation(to);
    }
    StatusBarRefresh();
}

// Loads the character-set choice of the emulation now running, by the profile rule:
// a machine-wide profile edited by an administrator in one pass, otherwise the
// machine-wide values and then the user's.
void LoadRunningUpss()
{
    const u8 id = EmulationId;
    const u32 savedRoot = SettingsRootIsUser(), savedKeep = KeepCurrentValues;
    const bool onePass = AdministratorMode == 1 && PerUserProfile == 0;
    for (u32 user = 0; user < (onePass ? 1u : 2u); ++user) {
        SettingsSelectRoot(user);
        KeepCurrentValues = user;
        LoadEmulationUpss(id);
    }
    KeepCurrentValues = savedKeep;
    SettingsSelectRoot(savedRoot);
}

}  // namespace

int SelectEmulation(u8 from, u8 to)
{
    // (id, id) stops that emulation and starts none.
    if (from == to)
        to = kNoEmulation;
    const bool stopOnly = to == kNoEmulation;
    if (!(from == kNoEmulation && to == kNoEmulation)) {
        // The host-data thread parks at the switch gate before anything changes
        // under it; bytes that arrive meanwhile wait in the connection's buffers.
        HoldHostDataThread(HostGate::Switch, kSwitchHoldMs);
        ClearSelectionMarks();

        // The DEC pages are put back in order when the DEC family is left.
        if (from <= 3 && to > 3 && (stopOnly || to <= 23)) {
            NormalisePageOrder();
            ResetSavedPageMargins();
        }
        const bool changed = DeactivateOld(from, to);
        if (changed)
            BlankAllScreenLines();

        if (!stopOnly) {
            // A family that is not built (or no emulation at all) would leave the reader
            // without an emulation to feed: VT500 7-Bit runs instead.
            if (!IsValidEmulationId(to) || !FamilyBuilt(FamilyOf(to)))
                to = kDefaultEmulationId;
            EmulationId = to;
            RequestedEmulationId = to;
            SwitchRequestedFrom = to;
            SetScrollBarVisible(true, false);
            HookFamily family;
            if (HookFamilyOf(to, &family))
                ActivateFamily(from, to, family);
            else
                ActivateVt(to, changed || from > 23);
            // Fonts are chosen again for the new emulation; then host bytes flow again.
            InvalidateFontCache();
            ReleaseHostDataThread(HostGate::Switch);
        }
        // With nothing to start the gate stays closed; the host-data thread
        // waits there until a later switch starts an emulation.
    }
    // The scroll bar, status bar and Settings menu show the emulation now running.
    RefreshScrollRange();
    RefreshScrollThumb();
    if (StatusBarWindow())
        ShowStatusBarWindow();
    if (from != to)
        UpdateSettingsMenu();
    LoadRunningUpss();
    return 1;
}

u8 RunningEmulation()
{
    return GetEmulationFromFlags();
}

void ClearEmulationScreen()
{
    const u8 id = EmulationId;
    const u8 running = GetEmulationFromFlags();
    HookFamily family;
    if (HookFamilyOf(id, &family) && family != HookFamily::AnsiConsole && family != HookFamily::Aixterm) {
        // Only the family that really runs clears; a stale id does nothing.
        HookFamily runningFamily;
        if (!HookFamilyOf(running, &runningFamily) || runningFamily != family)
            return;
        if (auto clear = HooksOf(family).clearScreen)
            clear();
        if (family == HookFamily::Ibm3270 || family == HookFamily::Tvi || family == HookFamily::Ibm3151)
            return;
    } else {
        // DEC VT, ANSI console and AIXterm share the store's clear.
        const bool sharedRunning = running == 0 || running == 4 || running == 23;
        if (!sharedRunning)
            return;
        // The host-data thread must not write the store while it is cleared under it.
        const bool hold = OnUserInterfaceThread();
        if (hold)
            HoldHostDataThread(HostGate::Switch, kSwitchHoldMs);
        InvalidateStatusLine();
        BlankAllScreenLines();
        RefitScreenFont();
        SetMarginLinePointers(0, Screen.pageLength - 1);
        MoveCursorAbsolute(0, 0);
        if (hold)
            ReleaseHostDataThread(HostGate::Switch);
        InvalidateTerminal();
    }
    RefreshScrollRange();
    RefreshScrollThumb();
}

